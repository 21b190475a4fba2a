#pragma once

#include <QAbstractButton>

namespace zantiva {

// An option in a list: a 20-pixel square box (a white check on crimson when checked, empty
// muted grey when not) before its label, which keeps the surrounding font and colour. The whole
// row, label and gap included, toggles on a click. No shadow, hover or animation.
class RetroCheckBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit RetroCheckBox(const QString& text, QWidget* parent = nullptr);

    // Where the box stands: at the top of the leading edge.
    QRect boxRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect labelRect() const;
    QSize labelSize(int width) const;
};

} // namespace zantiva
