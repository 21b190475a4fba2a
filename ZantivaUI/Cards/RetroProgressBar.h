#pragma once

#include <QColor>
#include <QVariantAnimation>
#include <QWidget>

namespace zantiva {

// The determinate bar: a tinted fill growing from the leading edge in proportion to a value.
// A new value is reached over 0.15 s at constant speed.
class RetroProgressBar : public QWidget {
    Q_OBJECT
public:
    RetroProgressBar(double value, const QColor& tint, QWidget* parent = nullptr);

    // Always within 0 ... 1 (see RetroBar::normalizedProgress).
    double value() const { return value_; }
    void setValue(double value);
    // The fraction the fill shows now, on its way to value().
    double shownValue() const { return shown_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value_;
    double shown_;
    QColor tint_;
    QVariantAnimation fill_;
};

} // namespace zantiva
