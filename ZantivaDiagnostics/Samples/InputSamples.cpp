#include "Samples/InputSamples.h"

#include "Controls/RetroTextField.h"
#include "LocalizedViews/LocNotifier.h"
#include "Model/MacKeyboardLayout.h"
#include "Model/TestPlans.h"
#include "Stations/InputStation.h"

namespace zantiva::InputSamples {
namespace {

// Every scored key of the rows from the numbers down to the home row once, shift and the
// letters Q and L twice, and the left shift last.
KeyPressTracker sweptKeys() {
    KeyPressTracker tracker;
    const auto& rows = MacKeyboardLayout::rows();
    const auto press = [&tracker](std::uint16_t code) {
        tracker.key(code, true, false);
        tracker.key(code, false, false);
    };
    for (std::size_t row = 1; row <= 3; ++row)
        for (const auto& key : rows[row])
            if (key.isScored) press(key.keyCode);
    for (const std::uint16_t code : {12, 37, 56}) press(code);   // Q, L, left shift
    return tracker;
}

InputStation* page(const InputStationState& state, LocNotifier& loc) {
    auto* page = new InputStation;
    page->show(InputStationPresenter::present(state, loc.loc()));
    return page;
}

} // namespace

SuiteState run() {
    SuiteState state{.plan = TestPlans::full, .current = TestModule::input, .isRunning = true};
    for (const TestModule module : TestPlans::full) state.statuses[module] = ModuleStatus::passed;
    state.statuses[TestModule::micCamera] = ModuleStatus::bypassed;
    state.statuses[TestModule::input] = ModuleStatus::running;
    return state;
}

QWidget* typing(LocNotifier& loc) {
    const QString typed = "The quick brown fox jumps ov";
    InputStation* shown = page({.typedLength = static_cast<int>(typed.size())}, loc);
    shown->typingField()->setText(typed);
    return shown;
}

QWidget* keys(LocNotifier& loc) {
    return page({.phase = KeyboardTestPhase::keySequence, .tracker = sweptKeys()}, loc);
}

QWidget* touchpad(LocNotifier& loc) {
    const KeyPressTracker tracker = sweptKeys();
    return page({.phase = KeyboardTestPhase::touchpad,
                 .tracker = tracker,
                 .result = tracker.result(),
                 .sawMove = true,
                 .sawScroll = true},
                loc);
}

} // namespace zantiva::InputSamples
