#pragma once

#include <QWidget>

namespace zantiva {

class ProseLabel;

// The area the user tries the touchpad in: a muted rounded field, 150 pixels high and as wide as
// it is given, with how much of the touchpad was seen in its middle. It tells moves of the
// pointer inside it and clicks (a touchpad's tap arrives as one) on it; scrolls are watched by
// the check itself, anywhere in the program.
class InputTouchpadArea : public QWidget {
    Q_OBJECT

public:
    explicit InputTouchpadArea(QWidget* parent = nullptr);

    void setText(const QString& text);
    ProseLabel* text() const { return text_; }

signals:
    void moved();
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ProseLabel* text_;
};

} // namespace zantiva
