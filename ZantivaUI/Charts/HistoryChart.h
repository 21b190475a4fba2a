#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>
#include <vector>

namespace zantiva {

class TelemetryHistory;

// The sparkline of one measure's recent values: a muted rounded panel with three grid lines,
// the tinted line and, fainter, the area under it. Time runs left to right in both layout
// directions, the newest value at the right edge. The chart reads the ring it is given (its
// owner keeps it alive and calls refresh() when it changes); it keeps no copy.
class HistoryChart : public QWidget {
    Q_OBJECT
public:
    // A maximum below 1, or NaN, is taken as 1.
    HistoryChart(const TelemetryHistory& history, const QColor& tint, qreal height, double maximum,
                 QWidget* parent = nullptr);

    double maximum() const { return maximum_; }
    void setHistory(const TelemetryHistory& history);
    // Draws the ring again after it changed.
    void refresh();

    // The samples right-aligned in the ring's slots: step = width / max(capacity - 1, 1), the
    // newest at x = width when the ring is full; values held to 0 ... maximum, 0 at the bottom.
    static std::vector<QPointF> points(const TelemetryHistory& history, double maximum, QSizeF size);
    // The newest value rounded half away from zero, as a plain integer ("0" when empty).
    static QString accessibilityValue(const TelemetryHistory& history);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TelemetryHistory* history_;
    QColor tint_;
    qreal height_;
    double maximum_;
};

} // namespace zantiva
