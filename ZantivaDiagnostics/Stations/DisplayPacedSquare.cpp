#include "Stations/DisplayPacedSquare.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "Stations/DisplayMovingSquare.h"

namespace zantiva {
namespace {

constexpr double unreportedHz = 60;

} // namespace

DisplayPacedSquare::DisplayPacedSquare(QWidget* parent) : QWidget(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void DisplayPacedSquare::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DisplayMovingSquare::paint(painter, rect(), DisplayMovingSquare::now());
}

void DisplayPacedSquare::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The screen it shows on now, which is the test's screen once its window is placed.
    const double reported = screen() ? screen()->refreshRate() : 0;
    const double hz = reported > 1 ? reported : unreportedHz;
    timer_.start(std::max(1, static_cast<int>(std::lround(1000 / hz))));
}

void DisplayPacedSquare::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
}

} // namespace zantiva
