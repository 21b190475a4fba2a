#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/WasherPresenter.h"
#include "Presenters/WasherSetupPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

ScreenWasherEngine after(ScreenWasherDuration duration, double seconds) {
    ScreenWasherEngine engine({.duration = duration, .autoCycle = false});
    for (; seconds > 0; seconds -= 0.25) engine.advance(0.25);
    return engine;
}

TEST(WasherPresenter, TheClockCountsDownATimedRunAndUpAManualOne) {
    const std::vector<std::tuple<ScreenWasherDuration, double, std::string>> rows{
        {ScreenWasherDuration::quickClean, 0, english.f("Washer.Left", "5:00")},
        {ScreenWasherDuration::quickClean, 0.25, english.f("Washer.Left", "4:59")},
        {ScreenWasherDuration::quickClean, 300, english.f("Washer.Left", "0:00")},
        {ScreenWasherDuration::manual, 0, english.f("Washer.Elapsed", "0:00")},
        {ScreenWasherDuration::manual, 5400, english.f("Washer.Elapsed", "90:00")},
        {ScreenWasherDuration::manual, 61.5, english.f("Washer.Elapsed", "1:01")},
    };
    for (const auto& [duration, seconds, text] : rows)
        EXPECT_EQ(WasherPresenter::timeText(after(duration, seconds), english), text) << seconds;
}

TEST(WasherPresenter, TheControlsFollowThePatternOnShow) {
    ScreenWasherEngine engine;
    WasherControlsView view = WasherPresenter::present(engine, english);
    EXPECT_EQ(view.flashing, english["Washer.Flashing"]);
    EXPECT_FALSE(view.slideBadge);
    ASSERT_EQ(view.patterns.size(), 4u);
    EXPECT_TRUE(view.patterns[0].highlighted);

    engine.select(ScreenWasherPattern::gradientSweep);
    view = WasherPresenter::present(engine, english);
    EXPECT_FALSE(view.flashing);
    EXPECT_TRUE(view.patterns[2].highlighted);
    EXPECT_FALSE(view.patterns[0].highlighted);

    engine.stepSlide(1);
    engine.stepSlide(-1);
    view = WasherPresenter::present(engine, english);
    EXPECT_FALSE(view.flashing);
    EXPECT_TRUE(view.patterns[3].highlighted);
    EXPECT_EQ(view.slideBadge,
              english.f("Washer.SlideCounter", english["Color.Black"], 9, 9) + "   " + english["Washer.ChangeSlide"]);
}

} // namespace

namespace {

TEST(WasherSetupPresenter, StartWaitsForConsentAndTheScreenListShowsOnlyWithAChoice) {
    WasherSetupState state{.screenNames = {"eDP-1"}};
    WasherSetupView view = WasherSetupPresenter::present(state, english);
    EXPECT_FALSE(view.canStart);
    EXPECT_FALSE(view.screenTitle);
    EXPECT_TRUE(view.durations.front().selected);
    EXPECT_EQ(view.patterns.size(), 3u) << "the slides are no start pattern";

    state.options = {.duration = ScreenWasherDuration::manual, .startPattern = ScreenWasherPattern::gradientSweep,
                     .autoCycle = false};
    EXPECT_FALSE(WasherSetupPresenter::present(state, english).canStart) << "gentle patterns need consent too";
    state.consent = true;
    state.screenNames.push_back("HDMI-1");
    state.screenIndex = 1;
    view = WasherSetupPresenter::present(state, english);
    EXPECT_TRUE(view.canStart);
    EXPECT_EQ(view.durationSummary, english["Washer.Summary.Manual"]);
    EXPECT_TRUE(view.durations.back().selected);
    ASSERT_EQ(view.screens.size(), 2u);
    EXPECT_TRUE(view.screens[1].selected);

    state.screenNames = {};
    EXPECT_FALSE(WasherSetupPresenter::present(state, english).canStart) << "no screen to cover";
}

TEST(WasherSetupPresenter, AScreenGoneSinceItWasChosenFallsBackToThePrimary) {
    const WasherSetupState state{.screenNames = {"eDP-1", "HDMI-1"}, .screenIndex = 1};
    EXPECT_EQ(WasherSetupPresenter::screenToCover(state, 0), 1u);
    WasherSetupState unplugged = state;
    unplugged.screenNames.pop_back();
    EXPECT_EQ(WasherSetupPresenter::screenToCover(unplugged, 0), 0u);
}

} // namespace
