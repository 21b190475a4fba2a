#include "WasherWindow/ScreenWasherController.h"

#include <QEvent>

#include "Model/MacKeyboardLayout.h"
#include "WasherWindow/ScreenWasherRunState.h"
#include "WasherWindow/ScreenWasherViewBinding.h"

namespace zantiva {
namespace {

constexpr char activityReason[] = "Zantiva Screen Washer";

// Any use of the mouse brings the controls back; the event goes on to its target, so the
// controls' buttons still get their clicks.
class MouseActivity : public QObject {
public:
    explicit MouseActivity(QPointer<ScreenWasherRunState> state) : state_(std::move(state)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) && state_)
            state_->revealControls();
        return false;
    }

private:
    QPointer<ScreenWasherRunState> state_;
};

} // namespace

ScreenWasherController::ScreenWasherController(std::shared_ptr<ProcessActivity> activity, LocNotifier& loc,
                                               QObject* parent)
    : QObject(parent), activity_(std::move(activity)), loc_(loc) {
    connect(&overlay_, &FullscreenOverlay::closeRequested, this, &ScreenWasherController::stop);
}

ScreenWasherController::~ScreenWasherController() { stop(); }

void ScreenWasherController::start(const ScreenWasherOptions& options, QScreen* screen) {
    if (overlay_.isShowing()) return;
    auto view = std::make_unique<ScreenWasherView>();
    // The state lives with the window; it reaches the controller only through its stop action.
    auto* state = new ScreenWasherRunState(options, [self = QPointer(this)] {
        if (self) self->stop();
    }, ScreenWasherRunState::defaultHideDelay, view.get());
    bindScreenWasherView(*view, *state, loc_);
    connect(state, &ScreenWasherRunState::controlsVisibleChanged, this, [this, state] {
        if (!state->controlsVisible()) overlay_.hideCursorUntilMouseMoves();
    });
    if (!overlay_.present(std::move(view), screen, [this](std::uint16_t keyCode, const QKeyEvent&) { handleKey(keyCode); }))
        return;
    state_ = state;
    overlay_.addEventFilter(std::make_unique<MouseActivity>(state_));
    state->revealControls();
    hold_ = activity_->begin(activityReason, {.keepSystemAwake = true, .keepDisplayAwake = true});
    emit runningChanged();
}

void ScreenWasherController::handleKey(std::uint16_t keyCode) {
    ScreenWasherRunState* state = state_;
    if (!state) return;
    switch (keyCode) {
    case MacKeyboardLayout::digit1: state->select(ScreenWasherPattern::noise); break;
    case MacKeyboardLayout::digit2: state->select(ScreenWasherPattern::colorCycle); break;
    case MacKeyboardLayout::digit3: state->select(ScreenWasherPattern::gradientSweep); break;
    case MacKeyboardLayout::digit4: state->select(ScreenWasherPattern::uniformitySlides); break;
    case MacKeyboardLayout::escape: state->stop(); break;
    case MacKeyboardLayout::leftArrow: state->stepSlide(-1); break;
    case MacKeyboardLayout::rightArrow: state->stepSlide(1); break;
    default: break;
    }
}

void ScreenWasherController::stop() {
    // Reached more than once at times (a frame after Esc, a close after the time ran out).
    const bool wasRunning = overlay_.isShowing() || hold_;
    overlay_.dismiss();
    hold_.reset();
    state_ = nullptr;
    if (wasRunning) emit runningChanged();
}

} // namespace zantiva
