#include "Theme/HardShadowSurface.h"

#include <QWidget>

#include "Theme/Motion.h"

namespace zantiva {

HardShadowSurface::HardShadowSurface(QWidget* host, const SurfaceStyle& style)
    : QObject(host), host_(host), target_(style), from_(SurfacePose::of(style)), to_(from_) {
    Theme::applyMotion(animation_);
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        progress_ = value.toReal();
        emit changed();
    });
    connect(this, &HardShadowSurface::changed, host_, qOverload<>(&QWidget::update));
}

void HardShadowSurface::setStyle(const SurfaceStyle& style) {
    if (style == target_) return;
    from_ = pose();
    to_ = SurfacePose::of(style);
    target_ = style;
    animation_.stop();
    if (host_->isVisible()) {
        progress_ = 0;
        animation_.start();
    } else {
        progress_ = 1;
        emit changed();
    }
}

SurfacePose HardShadowSurface::pose() const { return SurfacePose::between(from_, to_, progress_); }

SurfaceGeometry HardShadowSurface::geometry(const QRectF& frame) const {
    const SurfacePose now = pose();
    return surfaceGeometry(frame, now.shadow, now.displacement);
}

void HardShadowSurface::paint(QPainter& painter, const QRectF& frame) const { paintSurface(painter, frame, pose()); }

} // namespace zantiva
