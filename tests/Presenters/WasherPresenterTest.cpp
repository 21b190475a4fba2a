#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/WasherPresenter.h"

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
        {ScreenWasherDuration::quickClean, 0, "5:00 left"},
        {ScreenWasherDuration::quickClean, 0.25, "4:59 left"},
        {ScreenWasherDuration::quickClean, 300, "0:00 left"},
        {ScreenWasherDuration::manual, 0, "0:00 elapsed"},
        {ScreenWasherDuration::manual, 5400, "90:00 elapsed"},
        {ScreenWasherDuration::manual, 61.5, "1:01 elapsed"},
    };
    for (const auto& [duration, seconds, text] : rows)
        EXPECT_EQ(WasherPresenter::timeText(after(duration, seconds), english), text) << seconds;
}

TEST(WasherPresenter, TheControlsFollowThePatternOnShow) {
    ScreenWasherEngine engine;
    WasherControlsView view = WasherPresenter::present(engine, english);
    EXPECT_EQ(view.flashing, "\u26A0 FLASHING");
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
    EXPECT_EQ(view.slideBadge, "Black  (9 of 9)   \u2190 \u2192  to change slide");
}

} // namespace
