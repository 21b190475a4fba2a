#pragma once

#include <QOpenGLWidget>

namespace zantiva {

// The refresh page's backdrop where the platform has GL: the moving square drawn on a GL
// surface that swaps with the display's refresh (swap interval 1). Each finished swap is one
// frame for the meter, so the rate it gives is the screen's, not a timer's. It draws frame
// after frame only while it is visible.
class DisplayRefreshClock : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit DisplayRefreshClock(QWidget* parent = nullptr);

    // Whether the platform can give a GL surface at all; without one the page moves its
    // square on a timer instead and measures nothing. Asked when the test starts, so GL
    // loads only for it.
    static bool isAvailable();

signals:
    void frameShown(double seconds);

protected:
    void paintGL() override;
    void showEvent(QShowEvent* event) override;
};

} // namespace zantiva
