#pragma once

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace zantiva {

// The shape the progress and activity bars share: a 22-pixel capsule with a muted track, a
// tinted part clipped to it and the 2-pixel outline inside its edge.
namespace RetroBar {

inline constexpr qreal height = 22;
// One sweep of the activity block, in seconds.
inline constexpr double activityPeriod = 1.6;
// The redraw rate of the activity bar is held to 30 frames a second.
inline constexpr int activityFrameMs = 34;

// What a bar asks of its layout: any width (160 preferred, 44 at least), 22 high.
QSize preferredSize();
QSize smallestSize();

// A value that is not finite is 0; others are held to 0 ... 1.
double normalizedProgress(double value);
// A normalised value as a whole percent, halves away from zero: 0.125 gives "13%".
QString percentText(double value);
// value × the track's width against its leading edge: from the right in right-to-left layout.
QRectF progressFill(const QRectF& track, double value, Qt::LayoutDirection direction);

struct Block {
    double x;     // from the track's left end
    double width;
};
// The activity block at a time in seconds on the wall clock: 0.28 of the track wide, starting
// just outside the left end and leaving past the right end once per period.
Block activityBlock(double seconds, double trackWidth);

void paint(QPainter& painter, const QRectF& track, const QRectF& tinted, const QColor& tint);

} // namespace RetroBar
} // namespace zantiva
