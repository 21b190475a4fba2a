#include "Washer/ScreenWasherEngine.h"

#include <algorithm>

namespace zantiva {
namespace {

constexpr double longestStep = 0.25;
constexpr double secondsPerPattern = 30;
constexpr double secondsPerNoiseMode = 2;
constexpr double secondsPerGradientPass = 4;

double colorHoldSeconds(double milliseconds) {
    // Written so that NaN takes the shortest hold too.
    if (!(milliseconds >= ScreenWasherEngine::minimumColorHoldMilliseconds))
        return ScreenWasherEngine::minimumColorHoldMilliseconds / 1000;
    return std::min(milliseconds, ScreenWasherEngine::maximumColorHoldMilliseconds) / 1000;
}

ScreenWasherPattern nextWashing(ScreenWasherPattern pattern) {
    const auto at = std::find(washingPatterns.begin(), washingPatterns.end(), pattern);
    if (at == washingPatterns.end() || at + 1 == washingPatterns.end()) return washingPatterns.front();
    return *(at + 1);
}

} // namespace

ScreenWasherEngine::ScreenWasherEngine(const ScreenWasherOptions& options)
    : pattern_(options.startPattern == ScreenWasherPattern::uniformitySlides ? ScreenWasherPattern::noise
                                                                              : options.startPattern),
      totalSeconds_(seconds(options.duration)), autoCycle_(options.autoCycle),
      colorHoldSeconds_(colorHoldSeconds(options.colorHoldMilliseconds)) {}

std::optional<double> ScreenWasherEngine::remainingSeconds() const {
    if (!totalSeconds_) return std::nullopt;
    return std::max(0.0, *totalSeconds_ - elapsedSeconds_);
}

void ScreenWasherEngine::advance(double dt) {
    if (!(dt > 0) || isFinished()) return;
    const double step = std::min(dt, longestStep);
    elapsedSeconds_ += step;
    if (pattern_ == ScreenWasherPattern::uniformitySlides) return;
    patternSeconds_ += step;
    if (autoCycle_ && patternSeconds_ >= secondsPerPattern) show(nextWashing(pattern_));
    animate(step);
}

void ScreenWasherEngine::animate(double step) {
    switch (pattern_) {
    case ScreenWasherPattern::noise:
        noiseSeconds_ += step;
        if (noiseSeconds_ >= secondsPerNoiseMode) {
            noiseSeconds_ = 0;
            usesColorNoise_ = !usesColorNoise_;
        }
        break;
    case ScreenWasherPattern::colorCycle:
        colorSeconds_ += step;
        if (colorSeconds_ >= colorHoldSeconds_) {
            colorSeconds_ = 0;
            colorIndex_ = (colorIndex_ + 1) % static_cast<int>(cycleColors.size());
        }
        break;
    case ScreenWasherPattern::gradientSweep:
        gradientSeconds_ += step;
        if (gradientSeconds_ >= secondsPerGradientPass) {
            gradientSeconds_ = 0;
            gradientReversed_ = !gradientReversed_;
        }
        gradientOffset_ = gradientSeconds_ / secondsPerGradientPass;
        break;
    case ScreenWasherPattern::uniformitySlides: break;
    }
}

void ScreenWasherEngine::show(ScreenWasherPattern next) {
    if (next == pattern_) return;
    pattern_ = next;
    gradientOffset_ = 0;
    patternSeconds_ = colorSeconds_ = noiseSeconds_ = gradientSeconds_ = 0;
}

void ScreenWasherEngine::select(ScreenWasherPattern chosen) {
    autoCycle_ = false;
    show(chosen);
}

void ScreenWasherEngine::stepSlide(int step) {
    if (pattern_ != ScreenWasherPattern::uniformitySlides) {
        autoCycle_ = false;
        show(ScreenWasherPattern::uniformitySlides);
        return;
    }
    const int count = static_cast<int>(washerSlides.size());
    slideIndex_ = ((slideIndex_ + step % count) % count + count) % count;
}

bool ScreenWasherEngine::operator==(const ScreenWasherEngine& other) const {
    return pattern_ == other.pattern_ && elapsedSeconds_ == other.elapsedSeconds_ &&
           colorIndex_ == other.colorIndex_ && gradientOffset_ == other.gradientOffset_ &&
           gradientReversed_ == other.gradientReversed_ && usesColorNoise_ == other.usesColorNoise_ &&
           slideIndex_ == other.slideIndex_;
}

} // namespace zantiva
