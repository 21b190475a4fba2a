#include "Layout/DropdownList.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <cmath>

#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Theme/SurfacePose.h"
#include "Typography/Fonts.h"

namespace zantiva {

namespace {

constexpr qreal radius = Theme::Metric::badgeRadius;
constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 5;

SurfaceStyle listStyle() {
    return {
        .fill = color(PaletteColor::card),
        .radius = radius,
        .shadow = Theme::Metric::controlShadow,
        .lift = 0,
        .pressed = false,
        .shadowColor = color(PaletteColor::outline),
        .borderColor = color(PaletteColor::outline),
    };
}

QFont rowFont(bool selected) { return vazirFont(selected ? VazirWeight::black : VazirWeight::semiBold, 13); }

} // namespace

DropdownList::DropdownList(qreal width, QWidget* parent) : QWidget(parent), width_(width) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void DropdownList::setRows(const QStringList& rows, std::optional<int> selected) {
    rows_ = rows;
    selected_ = selected;
    resize(sizeHint());
    update();
}

int DropdownList::rowHeight() const {
    return std::max(QFontMetrics(rowFont(true)).height(), QFontMetrics(rowFont(false)).height()) + 2 * verticalPadding;
}

QSize DropdownList::sizeHint() const {
    const int shadow = static_cast<int>(Theme::Metric::controlShadow);
    return {static_cast<int>(std::ceil(width_)) + shadow, rowHeight() * static_cast<int>(rows_.size()) + shadow};
}

QRect DropdownList::rowRect(int row) const {
    const QRectF face = surfaceGeometry(rect(), Theme::Metric::controlShadow, 0).face;
    return QRect(static_cast<int>(face.left()), rowHeight() * row, static_cast<int>(face.width()), rowHeight());
}

std::optional<int> DropdownList::rowAt(const QPoint& point) const {
    for (int row = 0; row < rows_.size(); ++row)
        if (rowRect(row).contains(point)) return row;
    return std::nullopt;
}

bool DropdownList::event(QEvent* event) {
    if (event->type() == QEvent::HoverMove || event->type() == QEvent::HoverEnter) {
        // Only entering a row changes the hovered one; the gaps and the shadow keep it.
        if (const auto row = rowAt(static_cast<QHoverEvent*>(event)->position().toPoint()); row && row != hovered_) {
            hovered_ = row;
            update();
        }
    } else if (event->type() == QEvent::HoverLeave && isVisible()) {
        // The pointer left the rows. A list closing under the pointer keeps its hovered row.
        hovered_.reset();
        update();
    }
    return QWidget::event(event);
}

void DropdownList::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint()) : std::nullopt;
}

void DropdownList::mouseReleaseEvent(QMouseEvent* event) {
    const auto row = rowAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && row && row == pressed_;
    pressed_.reset();
    if (click) emit picked(*row);
}

void DropdownList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSurface(painter, rect(), SurfacePose::of(listStyle()));
    const QRectF face = surfaceGeometry(rect(), Theme::Metric::controlShadow, 0).face;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(roundedShape(face, radius));
    for (int row = 0; row < rows_.size(); ++row) {
        const bool selected = row == selected_;
        const QRect area = rowRect(row);
        if (selected)
            painter.fillRect(area, color(PaletteColor::primary));
        else if (row == hovered_)
            painter.fillRect(area, color(PaletteColor::muted));
        painter.setFont(rowFont(selected));
        painter.setPen(selected ? color(PaletteColor::onPrimary) : color(PaletteColor::text));
        const QRect inner = area.adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
        const QString text = painter.fontMetrics().elidedText(rows_[row], Qt::ElideRight, inner.width());
        painter.drawText(inner, static_cast<int>(QStyle::visualAlignment(layoutDirection(), Qt::AlignLeft | Qt::AlignVCenter)),
                         text);
    }
    painter.restore();
    // The border again over the row fills that reach the edge.
    strokeInside(painter, face, radius, color(PaletteColor::outline));
}

} // namespace zantiva
