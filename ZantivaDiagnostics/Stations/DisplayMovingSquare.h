#pragma once

class QPainter;
class QRectF;

namespace zantiva::DisplayMovingSquare {

// The refresh page's square: 140 wide, crossing the page from the left and back every 4
// seconds whatever the language, its top at 0.55 of the page's height.
inline constexpr int side = 140;
inline constexpr double crossingSeconds = 4;

// Where the square's left edge is at that time for a page that wide.
double x(double seconds, double width);
// Seconds on the steady clock that frames are drawn and stamped at.
double now();
// The page black, the square where it is at that time.
void paint(QPainter& painter, const QRectF& page, double seconds);

} // namespace zantiva::DisplayMovingSquare
