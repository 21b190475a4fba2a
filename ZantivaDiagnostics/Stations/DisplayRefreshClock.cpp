#include "Stations/DisplayRefreshClock.h"

#include <QOpenGLContext>
#include <QPainter>

#include "Stations/DisplayMovingSquare.h"

namespace zantiva {

DisplayRefreshClock::DisplayRefreshClock(QWidget* parent) : QOpenGLWidget(parent) {
    QSurfaceFormat paced = format();
    paced.setSwapInterval(1);
    setFormat(paced);
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
        if (!isVisible()) return;
        emit frameShown(DisplayMovingSquare::now());
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

void DisplayRefreshClock::paintGL() {
    QPainter painter(this);
    DisplayMovingSquare::paint(painter, rect(), DisplayMovingSquare::now());
}

void DisplayRefreshClock::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    update();
}

} // namespace zantiva
