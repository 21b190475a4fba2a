#include "Layout/BandLayout.h"

#include <QWidget>
#include <algorithm>

namespace zantiva {

BandLayout::BandLayout(QWidget* parent, int maximumWidth, int margin)
    : QLayout(parent), maximumWidth_(maximumWidth), margin_(margin) {
    setContentsMargins(0, 0, 0, 0);
}

BandLayout::~BandLayout() = default;

void BandLayout::setContent(QWidget* content) {
    delete takeAt(0);
    addChildWidget(content);
    item_ = std::make_unique<QWidgetItem>(content);
    invalidate();
}

int BandLayout::bandWidth(int width) const { return std::clamp(width - 2 * margin_, 0, maximumWidth_); }

void BandLayout::addItem(QLayoutItem* item) {
    item_.reset(item);
    invalidate();
}

QLayoutItem* BandLayout::itemAt(int index) const { return index == 0 ? item_.get() : nullptr; }

QLayoutItem* BandLayout::takeAt(int index) {
    if (index != 0 || !item_) return nullptr;
    invalidate();
    return item_.release();
}

int BandLayout::count() const { return item_ ? 1 : 0; }

QSize BandLayout::around(QSize band) const { return band + QSize(2 * margin_, 2 * margin_); }

QSize BandLayout::sizeHint() const {
    if (!item_) return around({0, 0});
    const QSize hint = item_->sizeHint();
    return around({std::min(hint.width(), maximumWidth_), hint.height()});
}

QSize BandLayout::minimumSize() const {
    if (!item_) return around({0, 0});
    const QSize minimum = item_->minimumSize();
    return around({std::min(minimum.width(), maximumWidth_), minimum.height()});
}

bool BandLayout::hasHeightForWidth() const { return item_ && item_->hasHeightForWidth(); }

int BandLayout::heightForWidth(int width) const {
    return item_->heightForWidth(bandWidth(width)) + 2 * margin_;
}

void BandLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    if (!item_) return;
    const int band = bandWidth(rect.width());
    item_->setGeometry(QRect(rect.x() + (rect.width() - band) / 2, rect.y() + margin_, band,
                             std::max(0, rect.height() - 2 * margin_)));
}

} // namespace zantiva
