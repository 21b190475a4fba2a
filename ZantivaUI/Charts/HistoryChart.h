#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>
#include <span>
#include <vector>

namespace zantiva {

// The sparkline of one measure's recent values: a muted rounded panel with three grid lines,
// the tinted line and, fainter, the area under it. Time runs left to right in both layout
// directions, the newest value at the right edge. The chart spans a fixed number of samples
// and draws its own copy of the values it was last given.
class HistoryChart : public QWidget {
    Q_OBJECT
public:
    // capacity: how many samples fill the width (at least 1). A maximum below 1, or NaN, is taken as 1.
    HistoryChart(int capacity, const QColor& tint, qreal height, double maximum, QWidget* parent = nullptr);

    int capacity() const { return capacity_; }
    double maximum() const { return maximum_; }
    const std::vector<double>& values() const { return values_; }
    // The samples to draw, oldest first; of more than the capacity only the newest are kept.
    void setValues(std::span<const double> values);

    // The samples right-aligned in the chart's slots: step = width / max(capacity - 1, 1), the
    // newest at x = width when all slots are filled; values held to 0 ... maximum, 0 at the bottom.
    static std::vector<QPointF> points(std::span<const double> values, int capacity, double maximum, QSizeF size);
    // The newest value rounded half away from zero, as a plain integer ("0" when empty).
    static QString accessibilityValue(std::span<const double> values);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int capacity_;
    QColor tint_;
    qreal height_;
    double maximum_;
    std::vector<double> values_;
};

} // namespace zantiva
