#include "Cards/RetroBar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"

namespace zantiva::RetroBar {

QSize preferredSize() { return {160, static_cast<int>(height)}; }

QSize smallestSize() { return {static_cast<int>(height) * 2, static_cast<int>(height)}; }

double normalizedProgress(double value) {
    if (!std::isfinite(value)) return 0;
    return std::clamp(value, 0.0, 1.0);
}

QString percentText(double value) {
    return QString::number(static_cast<long long>(std::round(value * 100))) + QLatin1Char('%');
}

QRectF progressFill(const QRectF& track, double value, Qt::LayoutDirection direction) {
    const qreal width = track.width() * value;
    const qreal left = direction == Qt::RightToLeft ? track.right() - width : track.left();
    return {left, track.top(), width, track.height()};
}

Block activityBlock(double seconds, double trackWidth) {
    double phase = std::fmod(seconds, activityPeriod);
    if (phase < 0) phase += activityPeriod;
    const double block = 0.28 * trackWidth;
    return {phase / activityPeriod * (trackWidth + block) - block, block};
}

void paint(QPainter& painter, const QRectF& track, const QRectF& tinted, const QColor& tint) {
    const qreal radius = track.height() / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(roundedShape(track, radius));
    painter.fillRect(track, color(PaletteColor::muted));
    painter.fillRect(tinted, tint);
    painter.restore();
    strokeInside(painter, track, radius, color(PaletteColor::outline));
}

} // namespace zantiva::RetroBar
