#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "Model/DisplayTestResult.h"
#include "Overlay/FullscreenOverlay.h"
#include "Presenters/DisplayTestPresenter.h"

class QScreen;

namespace zantiva {

class DisplayTestScreen;
class LocNotifier;

// Runs the full-screen display test on one screen through a full-screen overlay: Space,
// Enter and the right arrow step on, Escape leaves; every other key and shortcut of the
// program is swallowed meanwhile. Ending it takes the overlay down before the completion
// hears of it. The controller's end takes the test down too and drops the completion.
class DisplayTestController : public QObject {
    Q_OBJECT
public:
    // The test's result, or nothing when the user left it early (or there is no screen).
    using Completion = std::function<void(std::optional<DisplayTestResult>)>;

    explicit DisplayTestController(LocNotifier& loc, QObject* parent = nullptr);
    ~DisplayTestController() override;

    // Shows the test on the screen (one no longer connected, or none: the primary screen)
    // and calls completion once when it ends. Refused while a test shows: false, and the
    // completion is never called, so a second start can neither end nor prolong the first.
    bool present(QScreen* screen, Completion completion);

    bool isShowing() const { return overlay_.isShowing(); }
    const FullscreenOverlay& overlay() const { return overlay_; }
    // While showing.
    DisplayTestScreen* screen() const;
    const DisplayTestState& state() const { return state_; }

signals:
    void showingChanged();

private:
    void onKey(std::uint16_t keyCode);
    void advance();
    void frameShown(double seconds);
    void finish(std::optional<DisplayTestResult> result);
    void refresh();

    LocNotifier& loc_;
    FullscreenOverlay overlay_;
    DisplayTestState state_;
    double screenHz_ = 0;
    QPointer<DisplayTestScreen> screen_;
    std::optional<DisplayTestView> shown_;
    Completion completion_;
};

} // namespace zantiva
