#pragma once

#include <QOpenGLWidget>

namespace zantiva {

// The refresh page's backdrop: a square that crosses the screen from the left and back every
// 4 seconds whatever the language, drawn on a GL surface that swaps with the display's
// refresh (swap interval 1). Each finished swap is one frame for the meter, so the rate it
// gives is the screen's, not a timer's. It draws frame after frame only while it is visible.
class DisplayRefreshClock : public QOpenGLWidget {
    Q_OBJECT
public:
    static constexpr int squareSide = 140;
    static constexpr double crossingSeconds = 4;

    explicit DisplayRefreshClock(QWidget* parent = nullptr);

    // Whether the platform can give a GL surface at all; without one the page goes without
    // the clock (and so without a measured rate) rather than fail in Qt's composition.
    static bool isAvailable();
    // Where the square's left edge is at that time for a page that wide.
    static double squareX(double seconds, double width);
    // Seconds on the steady clock the frames are stamped with.
    static double now();

signals:
    void frameShown(double seconds);

protected:
    void paintGL() override;
    void showEvent(QShowEvent* event) override;
};

} // namespace zantiva
