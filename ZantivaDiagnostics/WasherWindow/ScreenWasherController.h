#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "Overlay/FullscreenOverlay.h"
#include "Platform/ProcessActivity.h"
#include "WasherWindow/ScreenWasherRunState.h"

class QScreen;

namespace zantiva {

class LocNotifier;

// Runs the screen washer, one run at a time: a black full-screen window over the chosen
// screen, the machine and the display kept awake while it shows, the keys 1-4, Esc and the
// arrows read by physical key (every other key swallowed), the mouse bringing the controls
// back. Esc, Stop, the end of the run's time and a close from the window manager all end the
// run the same way.
class ScreenWasherController : public QObject {
    Q_OBJECT

public:
    ScreenWasherController(std::shared_ptr<ProcessActivity> activity, LocNotifier& loc, QObject* parent = nullptr);
    ~ScreenWasherController() override;

    // Nothing happens while a run shows.
    void start(const ScreenWasherOptions& options, QScreen* screen);
    void stop();

    bool isRunning() const { return overlay_.isShowing(); }
    const FullscreenOverlay& overlay() const { return overlay_; }
    // The run's state while one shows, else null.
    ScreenWasherRunState* runState() const { return state_; }

signals:
    void runningChanged();

private:
    void handleKey(std::uint16_t keyCode);

    std::shared_ptr<ProcessActivity> activity_;
    LocNotifier& loc_;
    FullscreenOverlay overlay_;
    std::unique_ptr<ActivityHold> hold_;
    QPointer<ScreenWasherRunState> state_;
};

} // namespace zantiva
