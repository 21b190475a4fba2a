#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "WasherWindow/ScreenWasherRunState.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;
using Clock = ScreenWasherRunState::Clock;

TEST(ScreenWasherRunState, ATimedRunEndsOnTheFrameThatCompletesItsCountedTime) {
    int stops = 0;
    ScreenWasherRunState state({}, [&] { ++stops; });
    const Clock::time_point start{};
    state.tick(start); // only sets the clock going
    EXPECT_EQ(state.engine().elapsedSeconds(), 0);
    // Stalled frames count at most a quarter of a second each.
    state.tick(start + 60s);
    EXPECT_DOUBLE_EQ(state.engine().elapsedSeconds(), 0.25);
    Clock::time_point frame = start + 60s;
    for (int i = 0; i < 1198; ++i) state.tick(frame += 250ms);
    EXPECT_EQ(stops, 0);
    state.tick(frame += 250ms);
    EXPECT_EQ(stops, 1);
}

TEST(ScreenWasherRunState, ViewsHearOnlyOfWhatTheyDrawButAChoiceAlwaysEndsTheCycle) {
    ScreenWasherRunState state({.duration = ScreenWasherDuration::manual}, [] {});
    QSignalSpy changes(&state, &ScreenWasherRunState::engineChanged);
    state.select(ScreenWasherPattern::noise);
    EXPECT_EQ(changes.count(), 0);
    Clock::time_point frame{};
    state.tick(frame);
    for (int i = 0; i < 200; ++i) state.tick(frame += 250ms);
    EXPECT_EQ(state.engine().pattern(), ScreenWasherPattern::noise) << "the cycle went on after a choice";
    state.stepSlide(-1);
    state.stepSlide(-1);
    EXPECT_EQ(state.engine().slideIndex(), 8);
}

TEST(ScreenWasherRunState, TheControlsHideAfterTheLastRevealAndStopCancelsTheHide) {
    ScreenWasherRunState state({}, [] {}, 80ms);
    QSignalSpy visibility(&state, &ScreenWasherRunState::controlsVisibleChanged);
    state.revealControls();
    EXPECT_TRUE(state.controlsVisible());
    QTest::qWait(50);
    state.revealControls(); // a later move restarts the delay
    QTest::qWait(50);
    EXPECT_TRUE(state.controlsVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !state.controlsVisible(); }, 1000));
    EXPECT_EQ(visibility.count(), 1);

    state.revealControls();
    state.stop();
    QTest::qWait(150);
    EXPECT_TRUE(state.controlsVisible());
}

} // namespace
} // namespace zantiva
