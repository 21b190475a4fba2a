#include "Samples/WasherSamples.h"

#include "LocalizedViews/LocNotifier.h"
#include "Presenters/WasherPresenter.h"
#include "Presenters/WasherSetupPresenter.h"
#include "Samples/WindowSamples.h"
#include "WasherWindow/ScreenWasherView.h"
#include "WasherWindow/WasherSetupSheet.h"

namespace zantiva::WasherSamples {
namespace {

std::unique_ptr<QWidget> pattern(LocNotifier& loc, ScreenWasherEngine engine) {
    auto view = std::make_unique<ScreenWasherView>();
    ScreenWasherView* shown = view.get();
    loc.bind(shown, [shown, engine, &loc] { shown->show(engine, WasherPresenter::present(engine, loc.loc())); });
    return view;
}

// A run of the standard length a little way in.
ScreenWasherEngine running(ScreenWasherPattern chosen, double seconds) {
    ScreenWasherEngine engine({.duration = ScreenWasherDuration::standard});
    if (chosen != ScreenWasherPattern::noise) engine.select(chosen);
    for (; seconds > 0; seconds -= 0.25) engine.advance(0.25);
    return engine;
}

} // namespace

std::unique_ptr<QWidget> setup(LocNotifier& loc) {
    auto root = WindowSamples::window(loc, {.isWasherSetupVisible = true}, false);
    WasherSetupSheet* sheet = root->washerSetup();
    const WasherSetupState state{.options = {.duration = ScreenWasherDuration::standard},
                                 .screenNames = {"eDP-1", "HDMI-1"}};
    loc.bind(sheet, [sheet, state, &loc] { sheet->show(WasherSetupPresenter::present(state, loc.loc())); });
    return root;
}

std::unique_ptr<QWidget> noise(LocNotifier& loc) { return pattern(loc, running(ScreenWasherPattern::noise, 2.5)); }

std::unique_ptr<QWidget> colorCycle(LocNotifier& loc) {
    return pattern(loc, running(ScreenWasherPattern::colorCycle, 0.25));
}

std::unique_ptr<QWidget> gradient(LocNotifier& loc) {
    return pattern(loc, running(ScreenWasherPattern::gradientSweep, 2.5));
}

std::unique_ptr<QWidget> slides(LocNotifier& loc) {
    ScreenWasherEngine engine = running(ScreenWasherPattern::uniformitySlides, 95);
    engine.stepSlide(1);
    return pattern(loc, engine);
}

} // namespace zantiva::WasherSamples
