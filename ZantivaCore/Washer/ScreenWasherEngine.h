#pragma once

#include <array>
#include <optional>

#include "Washer/ScreenWasherOptions.h"
#include "Washer/ScreenWasherSlide.h"

namespace zantiva {

// The clock and drawn state of one washer run, moved forward by one call per shown frame.
// No timers and no drawing: the run state advances it, the pattern views draw its fields.
class ScreenWasherEngine {
public:
    static constexpr double minimumColorHoldMilliseconds = 100;
    static constexpr double maximumColorHoldMilliseconds = 400;
    // The RGBW cycle, with black as its fifth step.
    static constexpr std::array<WasherColor, 5> cycleColors{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {0, 0, 0}}};

    explicit ScreenWasherEngine(const ScreenWasherOptions& options = {});

    // Moves the run on by dt seconds: at most a quarter of a second per call, so a late frame
    // can't jump the clock; a step that is not positive changes nothing.
    void advance(double dt);
    // Shows the chosen pattern and turns the automatic cycle off for the rest of the run.
    void select(ScreenWasherPattern chosen);
    // From a washing pattern, opens the slides on the one last shown; on the slides, moves by
    // `step`, wrapping both ways.
    void stepSlide(int step);

    ScreenWasherPattern pattern() const { return pattern_; }
    double elapsedSeconds() const { return elapsedSeconds_; }
    int colorIndex() const { return colorIndex_; }
    double gradientOffset() const { return gradientOffset_; }
    bool gradientReversed() const { return gradientReversed_; }
    bool usesColorNoise() const { return usesColorNoise_; }
    int slideIndex() const { return slideIndex_; }
    std::optional<double> totalSeconds() const { return totalSeconds_; }

    bool isFinished() const { return totalSeconds_ && *totalSeconds_ <= elapsedSeconds_; }
    std::optional<double> remainingSeconds() const;
    const ScreenWasherSlide& slide() const { return washerSlides[static_cast<std::size_t>(slideIndex_)]; }
    WasherColor cycleColor() const { return cycleColors[static_cast<std::size_t>(colorIndex_)]; }

    // Only what is drawn: two engines that show the same frame are equal.
    bool operator==(const ScreenWasherEngine& other) const;

private:
    void show(ScreenWasherPattern next);
    void animate(double step);

    ScreenWasherPattern pattern_;
    double elapsedSeconds_ = 0;
    int colorIndex_ = 0;
    double gradientOffset_ = 0;
    bool gradientReversed_ = false;
    bool usesColorNoise_ = false;
    int slideIndex_ = 0;
    std::optional<double> totalSeconds_;
    bool autoCycle_;
    double colorHoldSeconds_;
    double patternSeconds_ = 0;
    double colorSeconds_ = 0;
    double noiseSeconds_ = 0;
    double gradientSeconds_ = 0;
};

} // namespace zantiva
