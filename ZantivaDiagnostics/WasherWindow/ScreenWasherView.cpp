#include "WasherWindow/ScreenWasherView.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QScreen>
#include <cmath>

#include "WasherWindow/WasherControls.h"
#include "WasherWindow/WasherPatternSurface.h"

namespace zantiva {
namespace {

constexpr int fadeMilliseconds = 200;

// One frame of the screen the view is on, in whole milliseconds; 60 Hz when the screen
// doesn't tell.
int frameInterval(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const qreal rate = screen ? screen->refreshRate() : 0;
    return rate >= 1 ? std::max(1, static_cast<int>(std::lround(1000 / rate))) : 16;
}

} // namespace

ScreenWasherView::ScreenWasherView(QWidget* parent)
    : QWidget(parent), surface_(new WasherPatternSurface(this)), controls_(new WasherControls(this)),
      fade_(new QGraphicsOpacityEffect(controls_)), fading_(new QPropertyAnimation(fade_, "opacity", this)) {
    fade_->setOpacity(1);
    controls_->setGraphicsEffect(fade_);
    fading_->setDuration(fadeMilliseconds);
    fading_->setEasingCurve(QEasingCurve::OutCubic);
    connect(fading_, &QPropertyAnimation::finished, this, [this] { controls_->setVisible(controlsShown_); });
    frameClock_.setTimerType(Qt::PreciseTimer);
    connect(&frameClock_, &QTimer::timeout, this, [this] {
        emit frame(ScreenWasherRunState::Clock::now());
        // The noise is new in every frame.
        surface_->update();
    });
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void ScreenWasherView::show(const ScreenWasherEngine& engine, const WasherControlsView& controls) {
    surface_->show(engine);
    controls_->show(controls);
}

void ScreenWasherView::setControlsVisible(bool visible) {
    if (visible == controlsShown_) return;
    controlsShown_ = visible;
    if (visible) controls_->setVisible(true);
    fading_->stop();
    fading_->setStartValue(fade_->opacity());
    fading_->setEndValue(visible ? 1.0 : 0.0);
    fading_->start();
}

void ScreenWasherView::resizeEvent(QResizeEvent*) {
    surface_->setGeometry(rect());
    controls_->setGeometry(rect());
}

void ScreenWasherView::showEvent(QShowEvent*) {
    frameClock_.start(frameInterval(*this));
}

void ScreenWasherView::hideEvent(QHideEvent*) { frameClock_.stop(); }

} // namespace zantiva
