#include "Layout/FlowLayout.h"

#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

namespace zantiva {

std::vector<FlowLayout::Row> FlowLayout::rows(const std::vector<QSizeF>& sizes, qreal maxWidth, qreal spacing) {
    std::vector<Row> result;
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
        const QSizeF& item = sizes[static_cast<size_t>(i)];
        if (!result.empty()) {
            Row& last = result.back();
            if (last.width + spacing + item.width() <= maxWidth) {
                last.end = i + 1;
                last.width += spacing + item.width();
                last.height = std::max(last.height, item.height());
                continue;
            }
        }
        result.push_back({i, i + 1, item.width(), item.height()});
    }
    return result;
}

QSizeF FlowLayout::size(const std::vector<Row>& rows, qreal lineSpacing) {
    qreal width = 0;
    qreal height = 0;
    for (const Row& row : rows) {
        width = std::max(width, row.width);
        height += row.height;
    }
    if (rows.size() > 1) height += lineSpacing * static_cast<qreal>(rows.size() - 1);
    return {width, height};
}

FlowLayout::FlowLayout(QWidget* parent, qreal spacing, qreal lineSpacing)
    : QLayout(parent), spacing_(spacing), lineSpacing_(lineSpacing) {
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
    items_.append(item);
    invalidate();
}

QLayoutItem* FlowLayout::itemAt(int index) const { return items_.value(index); }

QLayoutItem* FlowLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    invalidate();
    return items_.takeAt(index);
}

int FlowLayout::count() const { return static_cast<int>(items_.size()); }

// Hidden widgets take no place, as in Qt's own layouts.
std::vector<QLayoutItem*> FlowLayout::visibleItems() const {
    std::vector<QLayoutItem*> shown;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) shown.push_back(item);
    return shown;
}

std::vector<QSizeF> FlowLayout::idealSizes(const std::vector<QLayoutItem*>& items) {
    std::vector<QSizeF> sizes;
    sizes.reserve(items.size());
    for (QLayoutItem* item : items) sizes.emplace_back(item->sizeHint());
    return sizes;
}

QSize FlowLayout::measured(qreal width) const {
    const QSizeF needed = size(rows(idealSizes(visibleItems()), width, spacing_), lineSpacing_);
    return {static_cast<int>(std::ceil(needed.width())), static_cast<int>(std::ceil(needed.height()))};
}

int FlowLayout::heightForWidth(int width) const { return measured(width).height(); }

QSize FlowLayout::sizeHint() const { return measured(std::numeric_limits<qreal>::infinity()); }

QSize FlowLayout::minimumSize() const {
    QSize widest(0, 0);
    for (QLayoutItem* item : visibleItems()) widest = widest.expandedTo(item->sizeHint());
    return widest;
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const auto items = visibleItems();
    const auto sizes = idealSizes(items);
    const Qt::LayoutDirection direction = parentWidget() ? parentWidget()->layoutDirection() : Qt::LeftToRight;
    qreal y = rect.y();
    for (const Row& row : rows(sizes, rect.width(), spacing_)) {
        qreal x = rect.x();
        for (int i = row.first; i < row.end; ++i) {
            const QSizeF& item = sizes[static_cast<size_t>(i)];
            const QRectF placed(QPointF(x, y + (row.height - item.height()) * 0.5), item);
            items[static_cast<size_t>(i)]->setGeometry(QStyle::visualRect(direction, rect, placed.toRect()));
            x += item.width() + spacing_;
        }
        y += row.height + lineSpacing_;
    }
}

} // namespace zantiva
