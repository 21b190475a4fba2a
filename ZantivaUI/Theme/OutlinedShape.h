#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace zantiva {

// A rounded rectangle; the radius is held to half the shorter side, so a large one gives a capsule.
QPainterPath roundedShape(const QRectF& rect, qreal radius);

// The design's flat shape: filled, with a border of Theme::Metric::borderWidth drawn inside the
// edge, so the border never grows the shape. A transparent fill or border is not drawn.
void paintOutlinedShape(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill,
                        const QColor& border);

// Only the inside border of the shape.
void strokeInside(QPainter& painter, const QRectF& rect, qreal radius, const QColor& border);

} // namespace zantiva
