#pragma once

#include <QTimer>
#include <QWidget>

namespace zantiva {

// The refresh page's backdrop without GL: the moving square redrawn by a timer paced to the
// refresh rate its screen reports (60 Hz when it reports none), so ghosting and stutter can
// still be judged. A timer is not the display's clock, so it gives the meter no frames.
// It runs only while the square is visible.
class DisplayPacedSquare : public QWidget {
    Q_OBJECT
public:
    explicit DisplayPacedSquare(QWidget* parent = nullptr);

    // Milliseconds between redraws while it runs; 0 while it doesn't.
    int pace() const { return timer_.isActive() ? timer_.interval() : 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer timer_;
};

} // namespace zantiva
