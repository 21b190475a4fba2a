#pragma once

#include <QColor>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace zantiva {

// What a hard-shadow surface is asked to show: a rounded face with a 2-pixel border standing
// on an unblurred copy of its shape, `shadow` pixels down and to the right. A lift raises the
// face up and to the left; pressed pushes it onto the shadow, which it then hides.
struct SurfaceStyle {
    QColor fill;
    qreal radius = 0;
    qreal shadow = 0;
    qreal lift = 0;
    bool pressed = false;
    QColor shadowColor;
    QColor borderColor;

    bool operator==(const SurfaceStyle&) const = default;
};

// What is drawn at one moment; between two styles while a change animates.
struct SurfacePose {
    QColor fill;
    QColor shadowColor;
    QColor borderColor;
    qreal radius = 0;
    qreal shadow = 0;
    // The face's offset down and to the right of its rest place (negative when lifted).
    qreal displacement = 0;
    qreal shadowOpacity = 1;

    static SurfacePose of(const SurfaceStyle& style);
    static SurfacePose between(const SurfacePose& from, const SurfacePose& to, qreal progress);
};

struct SurfaceGeometry {
    QRectF face;
    QRectF shadow;
};

// Positions in the surface's frame. The frame keeps `shadow` pixels of room on the right and at
// the bottom in both layout directions: the look is physical, never mirrored.
SurfaceGeometry surfaceGeometry(const QRectF& frame, qreal shadow, qreal displacement);
QSizeF withShadowRoom(const QSizeF& content, qreal shadow);

void paintSurface(QPainter& painter, const QRectF& frame, const SurfacePose& pose);

} // namespace zantiva
