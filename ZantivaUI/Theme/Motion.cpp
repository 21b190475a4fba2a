#include "Theme/Motion.h"

#include <QPointF>
#include <QVariantAnimation>

namespace zantiva::Theme {

const Motion& motion() {
    static const Motion shared = [] {
        QEasingCurve easeOut(QEasingCurve::BezierSpline);
        easeOut.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
        return Motion{80, easeOut};
    }();
    return shared;
}

void applyMotion(QVariantAnimation& animation) {
    animation.setDuration(motion().durationMs);
    animation.setEasingCurve(motion().curve);
}

} // namespace zantiva::Theme
