#include <cmath>
#include <gtest/gtest.h>

#include "Washer/ScreenWasherEngine.h"

namespace zantiva {
namespace {

using P = ScreenWasherPattern;

ScreenWasherEngine engineOn(P pattern, double holdMilliseconds = 200) {
    return ScreenWasherEngine({.duration = ScreenWasherDuration::manual, .startPattern = pattern,
                               .autoCycle = false, .colorHoldMilliseconds = holdMilliseconds});
}

void advance(ScreenWasherEngine& engine, int steps, double dt) {
    for (int i = 0; i < steps; ++i) engine.advance(dt);
}

TEST(ScreenWasherEngine, AQuickRunFinishesAfterFiveMinutesOfStepsAndThenStandsStill) {
    ScreenWasherEngine engine;
    EXPECT_EQ(engine.pattern(), P::noise);
    EXPECT_FALSE(engine.usesColorNoise());
    for (double bad : {0.0, -1.0, std::nan("")}) engine.advance(bad);
    EXPECT_EQ(engine.elapsedSeconds(), 0);
    engine.advance(10); // a late frame counts a quarter of a second
    EXPECT_DOUBLE_EQ(engine.elapsedSeconds(), 0.25);

    advance(engine, 1199, 0.25);
    EXPECT_TRUE(engine.isFinished());
    EXPECT_EQ(engine.remainingSeconds(), 0.0);
    const ScreenWasherEngine finished = engine;
    engine.advance(0.25);
    EXPECT_EQ(engine, finished);
    EXPECT_DOUBLE_EQ(engine.elapsedSeconds(), 300);
}

TEST(ScreenWasherEngine, AManualRunNeverEnds) {
    ScreenWasherEngine engine = engineOn(P::gradientSweep);
    advance(engine, 100000, 0.25);
    EXPECT_FALSE(engine.isFinished());
    EXPECT_EQ(engine.remainingSeconds(), std::nullopt);
}

TEST(ScreenWasherEngine, TheAutomaticCycleRotatesEveryThirtySecondsAndResumesTheColourItLeft) {
    ScreenWasherEngine engine;
    const std::vector<std::pair<int, P>> changes{{120, P::colorCycle}, {240, P::gradientSweep}, {360, P::noise}};
    int step = 0;
    for (const auto& [at, pattern] : changes) {
        advance(engine, at - 1 - step, 0.25);
        EXPECT_NE(engine.pattern(), pattern) << "before step " << at;
        engine.advance(0.25);
        step = at;
        EXPECT_EQ(engine.pattern(), pattern) << "at step " << at;
        if (pattern == P::colorCycle) {
            EXPECT_EQ(engine.colorIndex(), 1) << "the new pattern's clock takes the step";
        }
    }
    // The cycle's 120 steps at one colour each left it on index 0; it picks up from there.
    advance(engine, 119, 0.25);
    engine.advance(0.25);
    EXPECT_EQ(engine.pattern(), P::colorCycle);
    EXPECT_EQ(engine.colorIndex(), 1);
}

TEST(ScreenWasherEngine, EachPatternKeepsItsOwnClock) {
    ScreenWasherEngine noise = engineOn(P::noise);
    advance(noise, 20, 0.1);
    EXPECT_TRUE(noise.usesColorNoise());
    advance(noise, 20, 0.1);
    EXPECT_FALSE(noise.usesColorNoise());

    ScreenWasherEngine cycle = engineOn(P::colorCycle, 100);
    std::vector<int> indices;
    for (int i = 0; i < 5; ++i) {
        cycle.advance(0.1);
        indices.push_back(cycle.colorIndex());
    }
    EXPECT_EQ(indices, (std::vector<int>{1, 2, 3, 4, 0}));

    ScreenWasherEngine gradient = engineOn(P::gradientSweep);
    advance(gradient, 12, 0.25);
    EXPECT_DOUBLE_EQ(gradient.gradientOffset(), 0.75);
    advance(gradient, 4, 0.25);
    EXPECT_EQ(gradient.gradientOffset(), 0);
    EXPECT_TRUE(gradient.gradientReversed());
}

TEST(ScreenWasherEngine, TheColourHoldIsKeptBetweenATenthAndFourTenthsOfASecond) {
    const std::vector<std::pair<double, int>> holds{{99, 1}, {100, 1}, {200, 2}, {400, 4}, {401, 4}, {std::nan(""), 1}};
    for (const auto& [milliseconds, tenths] : holds) {
        ScreenWasherEngine engine = engineOn(P::colorCycle, milliseconds);
        advance(engine, tenths - 1, 0.1000001);
        EXPECT_EQ(engine.colorIndex(), 0) << milliseconds;
        engine.advance(0.1000001);
        EXPECT_EQ(engine.colorIndex(), 1) << milliseconds;
    }
}

TEST(ScreenWasherEngine, ChoosingAPatternEndsTheCycleAndTheSlidesWrapBothWays) {
    ScreenWasherEngine engine;
    advance(engine, 4, 0.25);
    const ScreenWasherEngine before = engine;
    engine.select(P::noise); // the pattern on show: nothing drawn changes, but the cycle is off
    EXPECT_EQ(engine, before);
    advance(engine, 200, 0.25);
    EXPECT_EQ(engine.pattern(), P::noise);

    engine.stepSlide(1); // opens the slides without moving
    EXPECT_EQ(engine.pattern(), P::uniformitySlides);
    EXPECT_EQ(engine.slideIndex(), 0);
    engine.stepSlide(-1);
    EXPECT_EQ(engine.slide().labelKey, "Color.Black");
    engine.stepSlide(1);
    EXPECT_EQ(engine.slideIndex(), 0);
    engine.stepSlide(3);
    engine.select(P::gradientSweep);
    engine.stepSlide(1); // back on the slide last shown
    EXPECT_EQ(engine.slideIndex(), 3);
    EXPECT_EQ(ScreenWasherEngine({.startPattern = P::uniformitySlides}).pattern(), P::noise);
}

} // namespace
} // namespace zantiva
