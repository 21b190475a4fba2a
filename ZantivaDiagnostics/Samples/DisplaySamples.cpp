#include "Samples/DisplaySamples.h"

#include "LocalizedViews/LocNotifier.h"
#include "Model/TestPlans.h"
#include "Presenters/DisplayStationPresenter.h"
#include "Presenters/DisplayTestPresenter.h"
#include "Stations/DisplayStation.h"
#include "Stations/DisplayTestScreen.h"

namespace zantiva::DisplaySamples {

SuiteState run() {
    SuiteState state{.plan = TestPlans::full, .current = TestModule::display, .isRunning = true};
    for (const TestModule module : {TestModule::cpuBenchmark, TestModule::gpuBenchmark, TestModule::ramTest})
        state.statuses[module] = ModuleStatus::passed;
    state.statuses[TestModule::display] = ModuleStatus::running;
    return state;
}

QWidget* page(LocNotifier& loc, bool testShowing) {
    auto* page = new DisplayStation;
    loc.bind(page, [page, testShowing, &loc] { page->show(DisplayStationPresenter::present(testShowing, loc.loc())); });
    return page;
}

namespace {

DisplayTestState stateAt(DisplayTestState::Page at) {
    DisplayTestState state;
    while (state.step().page != at && state.advance()) {
    }
    return state;
}

std::unique_ptr<QWidget> showing(std::unique_ptr<DisplayTestScreen> screen, const DisplayTestState& state,
                                 LocNotifier& loc) {
    DisplayTestScreen* shown = screen.get();
    loc.bind(shown, [shown, state, &loc] { shown->show(DisplayTestPresenter::present(state, 60, shown->refreshClock() != nullptr, loc.loc())); });
    return screen;
}

} // namespace

std::unique_ptr<QWidget> test(LocNotifier& loc, DisplayTestState::Page at) {
    DisplayTestState state = stateAt(at);
    for (int frame = 0; frame <= 40; ++frame) state.frameRendered(frame / 60.0);
    state.setTicked("Display.Issue.Refresh", true);
    state.setTicked("Display.Issue.Bleed", true);
    return showing(std::make_unique<DisplayTestScreen>(), state, loc);
}

std::unique_ptr<QWidget> refreshWithoutGl(LocNotifier& loc) {
    return showing(std::make_unique<DisplayTestScreen>(DisplayTestScreen::SquareClock::timer),
                   stateAt(DisplayTestState::Page::refresh), loc);
}

} // namespace zantiva::DisplaySamples
