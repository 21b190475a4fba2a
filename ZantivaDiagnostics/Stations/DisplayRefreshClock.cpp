#include "Stations/DisplayRefreshClock.h"

#include <QOpenGLContext>
#include <QPainter>
#include <chrono>
#include <cmath>

#include "Theme/Palette.h"

namespace zantiva {

DisplayRefreshClock::DisplayRefreshClock(QWidget* parent) : QOpenGLWidget(parent) {
    QSurfaceFormat paced = format();
    paced.setSwapInterval(1);
    setFormat(paced);
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
        if (!isVisible()) return;
        emit frameShown(now());
        update();
    });
}

bool DisplayRefreshClock::isAvailable() {
    static const bool available = [] {
        QOpenGLContext context;
        return context.create();
    }();
    return available;
}

double DisplayRefreshClock::now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double DisplayRefreshClock::squareX(double seconds, double width) {
    const double p = std::fmod(seconds, crossingSeconds) / crossingSeconds;
    const double travel = std::max(width - squareSide, 1.0);
    return travel * (p < 0.5 ? 2 * p : 2 - 2 * p);
}

void DisplayRefreshClock::paintGL() {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(QRectF(squareX(now(), width()), 0.55 * height(), squareSide, squareSide), color(PaletteColor::primary));
}

void DisplayRefreshClock::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    update();
}

} // namespace zantiva
