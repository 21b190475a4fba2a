// The display test's steps, its frame-rate meter and what the test and its station page show.

#include <gtest/gtest.h>

#include "Localization/Loc.h"
#include "Presenters/DisplayStationPresenter.h"
#include "Presenters/DisplayTestPresenter.h"

using namespace zantiva;

namespace {

using Page = DisplayTestState::Page;
const Loc english(AppLanguage::english);

DisplayTestState at(Page page) {
    DisplayTestState state;
    while (state.step().page != page) state.advance();
    return state;
}

// Frames at a steady rate from the given time on.
void feed(DisplayTestState& state, int frames, double hz, double from = 0) {
    for (int i = 0; i < frames; ++i) state.frameRendered(from + i / hz);
}

} // namespace

TEST(DisplayTestState, StepsThroughEveryPageOnceAndStopsAtTheChecklist) {
    DisplayTestState state;
    std::vector<DisplayTestState::Step> steps{state.step()};
    while (state.advance()) steps.push_back(state.step());
    EXPECT_EQ(steps, (std::vector<DisplayTestState::Step>{{Page::intro, 0},
                                                          {Page::color, 0},
                                                          {Page::color, 1},
                                                          {Page::color, 2},
                                                          {Page::color, 3},
                                                          {Page::color, 4},
                                                          {Page::deadPixel, 0},
                                                          {Page::refresh, 0},
                                                          {Page::checklist, 0}}));
    EXPECT_FALSE(state.advance());
}

TEST(DisplayTestState, TheMeterCountsTheNewestThirtySaneGapsAndStartsAfreshOnTheRefreshPage) {
    DisplayTestState state = at(Page::deadPixel);
    feed(state, 10, 30);
    state.advance();
    EXPECT_EQ(state.measuredHz(), 0) << "the rate shown on the refresh page starts from zero";

    // 31 frames at 120 Hz, then 31 at 60: only the newest 30 gaps count.
    feed(state, 31, 120, 100);
    EXPECT_NEAR(state.measuredHz(), 120, 1e-6);
    feed(state, 31, 60, 101);
    EXPECT_NEAR(state.measuredHz(), 60, 1e-6);

    // A gap of 1 ms or of half a second is not counted, but the next gap starts at that frame.
    DisplayTestState gaps = at(Page::refresh);
    gaps.frameRendered(10);
    gaps.frameRendered(10.001);
    gaps.frameRendered(10.501);
    EXPECT_EQ(gaps.measuredHz(), 0);
    gaps.frameRendered(10.521);
    EXPECT_NEAR(gaps.measuredHz(), 50, 1e-6);
}

TEST(DisplayTestState, TheResultKeepsChecklistOrderAndOnlyARateTheScreenCanDraw) {
    DisplayTestState state = at(Page::refresh);
    EXPECT_EQ(state.result(60), DisplayTestResult{}) << "no interval measured, no rate";

    feed(state, 31, 59.7);
    state.advance();
    state.setTicked("Display.Issue.Refresh", true);
    state.setTicked("Display.Issue.DeadPixels", true);
    state.setTicked("Display.Issue.Bleed", true);
    state.setTicked("Display.Issue.Bleed", false);
    EXPECT_EQ(state.result(60), (DisplayTestResult{{"Display.Issue.DeadPixels", "Display.Issue.Refresh"}, 60}));
    EXPECT_EQ(state.result(0).measuredRefreshRateHz, 60) << "a screen that reports no rate refuses none";

    // A clock racing ahead of the screen (a software swap, a timer) is no measurement.
    DisplayTestState racing = at(Page::refresh);
    feed(racing, 31, 180);
    EXPECT_EQ(racing.result(60).measuredRefreshRateHz, std::nullopt);
    EXPECT_EQ(racing.result(165).measuredRefreshRateHz, 180) << "within a tenth above the screen's rate";
}

TEST(DisplayTestPresenter, EachPageShowsItsOwnTexts) {
    DisplayTestState state;
    DisplayTestView intro = DisplayTestPresenter::present(state, 60, true, english);
    EXPECT_EQ(intro.title, english["Display.Intro.Title"]);
    EXPECT_EQ(intro.begin, english["Display.Intro.Begin"]);
    EXPECT_EQ(intro.exitTooltip, english["Display.Exit"]);

    std::vector<std::pair<std::uint32_t, bool>> colours;
    while (state.advance() && state.step().page == Page::color) {
        const DisplayTestView view = DisplayTestPresenter::present(state, 60, true, english);
        colours.emplace_back(view.fill, view.captionOnLight);
        EXPECT_TRUE(view.title.empty());
    }
    EXPECT_EQ(colours, (std::vector<std::pair<std::uint32_t, bool>>{
                           {0xFF0000, false}, {0x00FF00, false}, {0x0000FF, false}, {0xFFFFFF, true}, {0x000000, false}}));
    EXPECT_EQ(DisplayTestPresenter::present(state, 60, true, english).caption, english["Display.Label.DeadPixel"]);

    state.advance();
    EXPECT_EQ(DisplayTestPresenter::present(state, 60, true, english).rate, "\u2014");
    feed(state, 31, 60);
    EXPECT_EQ(DisplayTestPresenter::present(state, 60, true, english).rate, "60 Hz");
    EXPECT_EQ(DisplayTestPresenter::present(state, 30, true, english).rate, "\u2014") << "twice the screen's rate";
    EXPECT_EQ(DisplayTestPresenter::present(state, 60, true, english).body, english["Display.Refresh.Body"]);
    // Without a clock paced by the display nothing is measured, and the page says so.
    const DisplayTestView unmeasured = DisplayTestPresenter::present(state, 60, false, english);
    EXPECT_EQ(unmeasured.body, english["Display.Refresh.NotMeasured"]);
    EXPECT_NE(unmeasured.body.find("couldn't be measured"), std::string::npos);
    EXPECT_NE(DisplayTestPresenter::present(state, 60, false, Loc(AppLanguage::persian)).body.find("قابل اندازه‌گیری نبود"),
              std::string::npos);

    state.advance();
    state.setTicked("Display.Issue.Ghosting", true);
    const DisplayTestView checklist = DisplayTestPresenter::present(state, 60, true, english);
    ASSERT_EQ(checklist.checklist.size(), 6u);
    EXPECT_EQ(checklist.checklist[1],
              (DisplayChecklistRow{"Display.Issue.Ghosting", english["Display.Checklist.Ghosting"], true}));
    EXPECT_FALSE(checklist.checklist[0].ticked);
    EXPECT_EQ(checklist.finish, english["Display.Checklist.Finish"]);
}

TEST(DisplayStationPresenter, TheStartButtonIsOffWhileTheTestShows) {
    EXPECT_EQ(DisplayStationPresenter::present(false, english),
              (DisplayStationView{english["Display.Intro.Body"], english["Suite.DisplayOpen"], true, ""}));
    const DisplayStationView showing = DisplayStationPresenter::present(true, english);
    EXPECT_FALSE(showing.canStart);
    EXPECT_EQ(showing.running, english["Display.Running"]);
}
