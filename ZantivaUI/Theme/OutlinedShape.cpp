#include "Theme/OutlinedShape.h"

#include <QPainter>
#include <algorithm>

#include "Theme/Metric.h"

namespace zantiva {

QPainterPath roundedShape(const QRectF& rect, qreal radius) {
    const qreal r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    QPainterPath path;
    path.addRoundedRect(rect, r, r);
    return path;
}

void strokeInside(QPainter& painter, const QRectF& rect, qreal radius, const QColor& border) {
    if (border.alpha() == 0) return;
    const qreal half = Theme::Metric::borderWidth / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border, Theme::Metric::borderWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(roundedShape(rect.adjusted(half, half, -half, -half), radius - half));
    painter.restore();
}

void paintOutlinedShape(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill,
                        const QColor& border) {
    if (fill.alpha() != 0) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(roundedShape(rect, radius), fill);
        painter.restore();
    }
    strokeInside(painter, rect, radius, border);
}

} // namespace zantiva
