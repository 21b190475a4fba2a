#pragma once

#include <QEasingCurve>

class QVariantAnimation;

namespace zantiva::Theme {

// The one curve of every hover, press and focus change.
struct Motion {
    int durationMs;
    QEasingCurve curve;
};

// Ease-out (the cubic Bézier 0, 0, 0.58, 1) over 80 ms.
const Motion& motion();

// Gives an animation the duration and curve of motion().
void applyMotion(QVariantAnimation& animation);

} // namespace zantiva::Theme
