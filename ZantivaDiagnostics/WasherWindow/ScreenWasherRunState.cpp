#include "WasherWindow/ScreenWasherRunState.h"

#include "Observation/ObservedValue.h"

namespace zantiva {

ScreenWasherRunState::ScreenWasherRunState(const ScreenWasherOptions& options, std::function<void()> onStop,
                                           std::chrono::milliseconds hideDelay, QObject* parent)
    : QObject(parent), engine_(options), onStop_(std::move(onStop)) {
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(hideDelay);
    connect(&hideTimer_, &QTimer::timeout, this,
            [this] { assignObserved(this, controlsVisible_, false, &ScreenWasherRunState::controlsVisibleChanged); });
}

template <typename Change> void ScreenWasherRunState::changeEngine(Change change) {
    // The whole engine is kept (the automatic cycle may have gone off), but views only hear
    // of a change that they draw.
    const ScreenWasherEngine before = engine_;
    change(engine_);
    emitIfChanged(this, before, engine_, &ScreenWasherRunState::engineChanged);
}

void ScreenWasherRunState::select(ScreenWasherPattern pattern) {
    changeEngine([pattern](ScreenWasherEngine& engine) { engine.select(pattern); });
}

void ScreenWasherRunState::stepSlide(int step) {
    changeEngine([step](ScreenWasherEngine& engine) { engine.stepSlide(step); });
}

void ScreenWasherRunState::revealControls() {
    assignObserved(this, controlsVisible_, true, &ScreenWasherRunState::controlsVisibleChanged);
    hideTimer_.start();
}

void ScreenWasherRunState::tick(Clock::time_point frame) {
    if (lastTick_) {
        const double seconds = std::chrono::duration<double>(frame - *lastTick_).count();
        changeEngine([seconds](ScreenWasherEngine& engine) { engine.advance(seconds); });
        if (engine_.isFinished()) stop();
    }
    lastTick_ = frame;
}

void ScreenWasherRunState::stop() {
    hideTimer_.stop();
    if (onStop_) onStop_();
}

} // namespace zantiva
