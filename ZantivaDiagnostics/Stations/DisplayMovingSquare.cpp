#include "Stations/DisplayMovingSquare.h"

#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "Theme/Palette.h"

namespace zantiva::DisplayMovingSquare {

double x(double seconds, double width) {
    const double p = std::fmod(seconds, crossingSeconds) / crossingSeconds;
    const double travel = std::max(width - side, 1.0);
    return travel * (p < 0.5 ? 2 * p : 2 - 2 * p);
}

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

void paint(QPainter& painter, const QRectF& page, double seconds) {
    painter.fillRect(page, Qt::black);
    painter.fillRect(QRectF(page.left() + x(seconds, page.width()), page.top() + 0.55 * page.height(), side, side),
                     color(PaletteColor::primary));
}

} // namespace zantiva::DisplayMovingSquare
