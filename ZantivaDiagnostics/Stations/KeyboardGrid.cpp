#include "Stations/KeyboardGrid.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {
namespace {

constexpr qreal capRadius = 6;
constexpr qreal capBorder = 1.5;

} // namespace

KeyboardGrid::KeyboardGrid(QWidget* parent) : QWidget(parent) {
    setLayoutDirection(Qt::LeftToRight);
    setFont(hardwareFont(11, QFont::Bold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void KeyboardGrid::show(const std::vector<std::vector<KeyCapView>>& rows) {
    if (rows == rows_) return;
    const QSize before = sizeHint();
    rows_ = rows;
    if (sizeHint() != before) updateGeometry();
    update();
}

std::vector<std::vector<QRectF>> KeyboardGrid::capRects() const {
    std::vector<std::vector<QRectF>> rects;
    qreal y = 0;
    for (const auto& row : rows_) {
        auto& line = rects.emplace_back();
        qreal x = 0;
        for (const auto& cap : row) {
            line.emplace_back(x, y, capWidth(cap.width), capHeight);
            x += capWidth(cap.width) + gap;
        }
        y += capHeight + gap;
    }
    return rects;
}

QSize KeyboardGrid::sizeHint() const {
    qreal width = 0, height = 0;
    for (const auto& line : capRects())
        for (const auto& rect : line) {
            width = std::max(width, rect.right());
            height = std::max(height, rect.bottom());
        }
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

void KeyboardGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QTextOption centred(Qt::AlignCenter);
    centred.setTextDirection(Qt::LeftToRight);
    const auto rects = capRects();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        for (std::size_t k = 0; k < rows_[r].size(); ++k) {
            const KeyCapView& cap = rows_[r][k];
            const QRectF& rect = rects[r][k];
            painter.fillPath(roundedShape(rect, capRadius), color(cap.fill));
            // The border lies inside the cap, so neighbouring caps keep their gap.
            const qreal half = capBorder / 2;
            painter.setPen(QPen(color(PaletteColor::outline), capBorder));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(roundedShape(rect.adjusted(half, half, -half, -half), capRadius - half));
            painter.setPen(withOpacity(color(cap.labelColor), cap.labelOpacity));
            painter.drawText(rect, QString::fromStdString(cap.label), centred);
        }
}

} // namespace zantiva
