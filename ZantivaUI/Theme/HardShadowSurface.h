#pragma once

#include <QObject>
#include <QVariantAnimation>

#include "Theme/SurfacePose.h"

class QWidget;

namespace zantiva {

// The hard-shadow look of one widget: every card and control that stands on a shadow keeps one
// and paints through it. A change of style (hover lift, press, focus colours) animates with
// Theme::motion while the widget is visible and is taken at once while it is hidden.
class HardShadowSurface : public QObject {
    Q_OBJECT
public:
    HardShadowSurface(QWidget* host, const SurfaceStyle& style);

    const SurfaceStyle& style() const { return target_; }
    void setStyle(const SurfaceStyle& style);

    // What is drawn now: the style, or a point on the way to it.
    SurfacePose pose() const;
    bool isAnimating() const { return animation_.state() == QAbstractAnimation::Running; }

    SurfaceGeometry geometry(const QRectF& frame) const;
    void paint(QPainter& painter, const QRectF& frame) const;

signals:
    // The pose moved; the host has been asked to repaint.
    void changed();

private:
    QWidget* host_;
    SurfaceStyle target_;
    SurfacePose from_;
    SurfacePose to_;
    qreal progress_ = 1;
    QVariantAnimation animation_;
};

} // namespace zantiva
