#include "Theme/SurfacePose.h"

#include <QPainter>

#include "Theme/OutlinedShape.h"

namespace zantiva {

namespace {

qreal mix(qreal from, qreal to, qreal progress) { return from + (to - from) * progress; }

QColor mix(const QColor& from, const QColor& to, qreal progress) {
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(static_cast<float>(mix(a.redF(), b.redF(), progress)),
                            static_cast<float>(mix(a.greenF(), b.greenF(), progress)),
                            static_cast<float>(mix(a.blueF(), b.blueF(), progress)),
                            static_cast<float>(mix(a.alphaF(), b.alphaF(), progress)));
}

} // namespace

SurfacePose SurfacePose::of(const SurfaceStyle& style) {
    return SurfacePose{
        .fill = style.fill,
        .shadowColor = style.shadowColor,
        .borderColor = style.borderColor,
        .radius = style.radius,
        .shadow = style.shadow,
        .displacement = style.pressed ? style.shadow : -style.lift,
        .shadowOpacity = style.pressed ? 0.0 : 1.0,
    };
}

SurfacePose SurfacePose::between(const SurfacePose& from, const SurfacePose& to, qreal progress) {
    if (progress >= 1) return to;
    return SurfacePose{
        .fill = mix(from.fill, to.fill, progress),
        .shadowColor = mix(from.shadowColor, to.shadowColor, progress),
        .borderColor = mix(from.borderColor, to.borderColor, progress),
        .radius = mix(from.radius, to.radius, progress),
        .shadow = mix(from.shadow, to.shadow, progress),
        .displacement = mix(from.displacement, to.displacement, progress),
        .shadowOpacity = mix(from.shadowOpacity, to.shadowOpacity, progress),
    };
}

SurfaceGeometry surfaceGeometry(const QRectF& frame, qreal shadow, qreal displacement) {
    const QRectF rest(frame.topLeft(), QSizeF(frame.width() - shadow, frame.height() - shadow));
    return {rest.translated(displacement, displacement), rest.translated(shadow, shadow)};
}

QSizeF withShadowRoom(const QSizeF& content, qreal shadow) {
    return {content.width() + shadow, content.height() + shadow};
}

void paintSurface(QPainter& painter, const QRectF& frame, const SurfacePose& pose) {
    const SurfaceGeometry geometry = surfaceGeometry(frame, pose.shadow, pose.displacement);
    if (pose.shadowOpacity > 0 && pose.shadow > 0) {
        painter.save();
        painter.setOpacity(painter.opacity() * pose.shadowOpacity);
        paintOutlinedShape(painter, geometry.shadow, pose.radius, pose.shadowColor, Qt::transparent);
        painter.restore();
    }
    paintOutlinedShape(painter, geometry.face, pose.radius, pose.fill, pose.borderColor);
}

} // namespace zantiva
