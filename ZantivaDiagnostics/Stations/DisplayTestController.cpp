#include "Stations/DisplayTestController.h"

#include <QKeyEvent>
#include <QScreen>

#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/ZantivaRoot.h"
#include "Model/MacKeyboardLayout.h"
#include "Stations/DisplayTestScreen.h"

namespace zantiva {

DisplayTestController::DisplayTestController(LocNotifier& loc, QObject* parent) : QObject(parent), loc_(loc) {
    // Bound to the controller, not the test's window, which outlives the controller a little.
    loc_.bind(this, [this] { refresh(); });
    // A close from the window manager leaves the test as Esc does.
    connect(&overlay_, &FullscreenOverlay::closeRequested, this, [this] { finish(std::nullopt); });
}

DisplayTestController::~DisplayTestController() {
    // The owner is going away: nobody is left to hear of the end, so nothing is reported.
    completion_ = nullptr;
    blockSignals(true);
    overlay_.dismiss();
}

bool DisplayTestController::present(QScreen* screen, Completion completion) {
    if (isShowing()) return false;
    screen = FullscreenOverlay::screenFor(screen);
    if (!screen) {
        if (completion) completion(std::nullopt);
        return true;
    }
    state_ = DisplayTestState();
    shown_.reset();
    screenHz_ = screen->refreshRate();
    auto content = std::make_unique<DisplayTestScreen>();
    DisplayTestScreen* shown = content.get();
    applyZantivaRoot(*shown, loc_);
    connect(shown, &DisplayTestScreen::advanceRequested, this, &DisplayTestController::advance);
    connect(shown, &DisplayTestScreen::exitRequested, this, [this] { finish(std::nullopt); });
    connect(shown, &DisplayTestScreen::finishRequested, this, [this] { finish(state_.result(screenHz_)); });
    connect(shown, &DisplayTestScreen::frameShown, this, &DisplayTestController::frameShown);
    connect(shown, &DisplayTestScreen::tickChanged, this, [this](const std::string& issue, bool on) {
        state_.setTicked(issue, on);
        refresh();
    });
    screen_ = shown;
    refresh();
    if (!overlay_.present(std::move(content), screen, [this](std::uint16_t code, const QKeyEvent&) { onKey(code); })) {
        screen_ = nullptr;
        return false;
    }
    completion_ = std::move(completion);
    emit showingChanged();
    return true;
}

DisplayTestScreen* DisplayTestController::screen() const { return screen_; }

void DisplayTestController::onKey(std::uint16_t keyCode) {
    switch (keyCode) {
    case MacKeyboardLayout::enter:
    case MacKeyboardLayout::space:
    case MacKeyboardLayout::rightArrow: advance(); break;
    case MacKeyboardLayout::escape: finish(std::nullopt); break;
    default: break;
    }
}

void DisplayTestController::advance() {
    if (state_.advance()) refresh();
}

void DisplayTestController::frameShown(double seconds) {
    if (state_.step().page != DisplayTestState::Page::refresh) return;
    state_.frameRendered(seconds);
    refresh();
}

void DisplayTestController::refresh() {
    if (!screen_) return;
    DisplayTestView view =
        DisplayTestPresenter::present(state_, screenHz_, screen_->refreshClock() != nullptr, loc_.loc());
    // The meter feeds every frame; the page is told only what changed.
    if (shown_ == view) return;
    screen_->show(view);
    shown_ = std::move(view);
}

void DisplayTestController::finish(std::optional<DisplayTestResult> result) {
    if (!isShowing()) return;
    overlay_.dismiss();
    screen_ = nullptr;
    Completion done = std::move(completion_);
    completion_ = nullptr;
    emit showingChanged();
    // Last: the runner may move on and take this controller's page (and the controller) along.
    if (done) done(std::move(result));
}

} // namespace zantiva
