#include "Charts/HistoryChart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"

namespace zantiva {

namespace {

constexpr qreal radius = 10;
constexpr qreal gridOpacity = 0.25;
constexpr qreal areaOpacity = 0.35;
constexpr qreal lineWidth = 2;

QPainterPath linePath(const std::vector<QPointF>& points) {
    QPainterPath path;
    if (points.empty()) return path;
    path.moveTo(points.front());
    for (size_t i = 1; i < points.size(); ++i) path.lineTo(points[i]);
    return path;
}

QPainterPath areaPath(const std::vector<QPointF>& points, qreal bottom) {
    QPainterPath path = linePath(points);
    if (points.empty()) return path;
    path.lineTo(points.back().x(), bottom);
    path.lineTo(points.front().x(), bottom);
    path.closeSubpath();
    return path;
}

} // namespace

HistoryChart::HistoryChart(int capacity, const QColor& tint, qreal height, double maximum, QWidget* parent)
    : QWidget(parent), capacity_(std::max(capacity, 1)), tint_(tint), height_(height),
      // std::max returns its first argument when the comparison fails, so NaN gives 1.
      maximum_(std::max(1.0, maximum)) {
    setLayoutDirection(Qt::LeftToRight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(static_cast<int>(std::ceil(height_)));
    setAccessibleDescription(accessibilityValue(values_));
}

void HistoryChart::setValues(std::span<const double> values) {
    const auto kept = std::min(values.size(), static_cast<size_t>(capacity_));
    values_.assign(values.end() - static_cast<std::ptrdiff_t>(kept), values.end());
    // Each setting is announced to assistive tools, also one that changes nothing.
    if (const QString description = accessibilityValue(values_); description != accessibleDescription())
        setAccessibleDescription(description);
    update();
}

std::vector<QPointF> HistoryChart::points(std::span<const double> values, int capacity, double maximum, QSizeF size) {
    const double step = size.width() / std::max(capacity - 1, 1);
    const auto offset = static_cast<double>(capacity) - static_cast<double>(values.size());
    std::vector<QPointF> result;
    result.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const double clamped = std::clamp(values[i], 0.0, maximum);
        result.emplace_back(step * (offset + static_cast<double>(i)), size.height() * (1 - clamped / maximum));
    }
    return result;
}

QString HistoryChart::accessibilityValue(std::span<const double> values) {
    const double rounded = values.empty() ? 0 : std::round(values.back());
    return QString::number(static_cast<long long>(std::clamp(rounded, -9e15, 9e15)));
}

QSize HistoryChart::sizeHint() const { return {200, static_cast<int>(std::ceil(height_))}; }

QSize HistoryChart::minimumSizeHint() const { return {0, static_cast<int>(std::ceil(height_))}; }

void HistoryChart::paintEvent(QPaintEvent*) {
    const QRectF frame = rect();
    const auto shown = points(values_, capacity_, maximum_, frame.size());

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.setClipPath(roundedShape(frame, radius));
    painter.fillRect(frame, color(PaletteColor::muted));
    QPen grid(withOpacity(color(PaletteColor::outline), gridOpacity), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(grid);
    for (const double fraction : {0.25, 0.5, 0.75})
        painter.drawLine(QPointF(0, frame.height() * fraction), QPointF(frame.width(), frame.height() * fraction));
    painter.fillPath(areaPath(shown, frame.height()), withOpacity(tint_, areaOpacity));
    painter.setPen(QPen(tint_, lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(linePath(shown));
    painter.restore();
    strokeInside(painter, frame, radius, color(PaletteColor::outline));
}

} // namespace zantiva
