#include "Cards/RetroActivityBar.h"

#include <QDateTime>
#include <QPainter>

#include "Cards/RetroBar.h"

namespace zantiva {

RetroActivityBar::RetroActivityBar(const QColor& tint, QWidget* parent) : QWidget(parent), tint_(tint) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setLayoutDirection(Qt::LeftToRight);
    frames_.setTimerType(Qt::PreciseTimer);
    frames_.setInterval(RetroBar::activityFrameMs);
    connect(&frames_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

QSize RetroActivityBar::sizeHint() const { return RetroBar::preferredSize(); }

QSize RetroActivityBar::minimumSizeHint() const { return RetroBar::smallestSize(); }

void RetroActivityBar::showEvent(QShowEvent*) { frames_.start(); }

void RetroActivityBar::hideEvent(QHideEvent*) { frames_.stop(); }

void RetroActivityBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF track = QRectF(rect());
    // Milliseconds within one period keep full precision, unlike seconds since 1970 as a double.
    const qint64 periodMs = static_cast<qint64>(RetroBar::activityPeriod * 1000);
    const double seconds = static_cast<double>(QDateTime::currentMSecsSinceEpoch() % periodMs) / 1000.0;
    const RetroBar::Block block = RetroBar::activityBlock(seconds, track.width());
    RetroBar::paint(painter, track, QRectF(track.left() + block.x, track.top(), block.width, track.height()), tint_);
}

} // namespace zantiva
