#include "Cards/RetroProgressBar.h"

#include <QPainter>

#include "Cards/RetroBar.h"

namespace zantiva {

RetroProgressBar::RetroProgressBar(double value, const QColor& tint, QWidget* parent)
    : QWidget(parent), value_(RetroBar::normalizedProgress(value)), shown_(value_), tint_(tint) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(RetroBar::percentText(value_));
    fill_.setDuration(150);
    fill_.setEasingCurve(QEasingCurve::Linear);
    connect(&fill_, &QVariantAnimation::valueChanged, this, [this](const QVariant& shown) {
        shown_ = shown.toDouble();
        update();
    });
}

void RetroProgressBar::setValue(double value) {
    const double normalized = RetroBar::normalizedProgress(value);
    if (normalized == value_) return;
    value_ = normalized;
    setAccessibleName(RetroBar::percentText(value_));
    fill_.stop();
    if (!isVisible()) {
        shown_ = value_;
        update();
        return;
    }
    fill_.setStartValue(shown_);
    fill_.setEndValue(value_);
    fill_.start();
}

QSize RetroProgressBar::sizeHint() const { return RetroBar::preferredSize(); }

QSize RetroProgressBar::minimumSizeHint() const { return RetroBar::smallestSize(); }

void RetroProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF track = QRectF(rect());
    RetroBar::paint(painter, track, RetroBar::progressFill(track, shown_, layoutDirection()), tint_);
}

} // namespace zantiva
