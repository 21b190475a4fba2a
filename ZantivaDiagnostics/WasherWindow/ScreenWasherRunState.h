#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "Washer/ScreenWasherEngine.h"

namespace zantiva {

// One washer run as its window sees it: the engine moved on by the frame clock, the user's
// pattern and slide commands, and the controls that show while the mouse is in use and hide
// a few seconds after it stops. Every way the run ends goes through the one stop action.
class ScreenWasherRunState : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds defaultHideDelay{3000};

    ScreenWasherRunState(const ScreenWasherOptions& options, std::function<void()> onStop,
                         std::chrono::milliseconds hideDelay = defaultHideDelay, QObject* parent = nullptr);

    const ScreenWasherEngine& engine() const { return engine_; }
    bool controlsVisible() const { return controlsVisible_; }

    void select(ScreenWasherPattern pattern);
    void stepSlide(int step);
    // Shows the controls and starts their hide delay again.
    void revealControls();
    // The frame now being drawn: the first one only sets the clock going; a timed run ends on
    // the frame that completes its time.
    void tick(Clock::time_point frame);
    // Esc, the Stop button and the end of the run's time all end the run here.
    void stop();

signals:
    void engineChanged();
    void controlsVisibleChanged();

private:
    template <typename Change> void changeEngine(Change change);

    ScreenWasherEngine engine_;
    bool controlsVisible_ = true;
    std::optional<Clock::time_point> lastTick_;
    QTimer hideTimer_;
    std::function<void()> onStop_;
};

} // namespace zantiva
