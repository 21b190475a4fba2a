#pragma once

#include <QImage>
#include <QWidget>

namespace zantiva {

// The dead-pixel page: black, with one lit device pixel in every four across and down, so a
// dark dot among the lit ones or a lit one between them stands out.
class DisplayDeadPixelGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int pitch = 4; // device pixels

    explicit DisplayDeadPixelGrid(QWidget* parent = nullptr);

    // The pattern at the widget's size in device pixels (empty for an empty widget).
    QImage pattern() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QImage pattern_;
};

} // namespace zantiva
