#include "Theme/SurfaceLayout.h"

#include <QWidget>
#include <QWidgetItem>
#include <cmath>

#include "Theme/HardShadowSurface.h"

namespace zantiva {

SurfaceLayout::SurfaceLayout(QWidget* host, const HardShadowSurface& surface, QMargins padding)
    : QLayout(host), surface_(surface), padding_(padding) {
    setContentsMargins(0, 0, 0, 0);
    connect(&surface_, &HardShadowSurface::changed, this, &SurfaceLayout::place);
}

SurfaceLayout::~SurfaceLayout() = default;

void SurfaceLayout::setContent(QWidget* content) {
    delete takeAt(0);
    addWidget(content);
}

void SurfaceLayout::setContent(QLayout* content) {
    delete takeAt(0);
    addChildLayout(content);
    addItem(content);
}

void SurfaceLayout::addItem(QLayoutItem* item) {
    delete takeAt(0);
    item_.reset(item);
    invalidate();
}

QLayoutItem* SurfaceLayout::itemAt(int index) const { return index == 0 ? item_.get() : nullptr; }

QLayoutItem* SurfaceLayout::takeAt(int index) {
    if (index != 0 || !item_) return nullptr;
    invalidate();
    return item_.release();
}

int SurfaceLayout::count() const { return item_ ? 1 : 0; }

QSize SurfaceLayout::around(const QSize& content) const {
    const int shadow = static_cast<int>(std::ceil(surface_.style().shadow));
    return content.grownBy(padding_) + QSize(shadow, shadow);
}

QSize SurfaceLayout::sizeHint() const { return around(item_ ? item_->sizeHint() : QSize(0, 0)); }

QSize SurfaceLayout::minimumSize() const { return around(item_ ? item_->minimumSize() : QSize(0, 0)); }

QSize SurfaceLayout::maximumSize() const {
    if (!item_) return {QLAYOUTSIZE_MAX, QLAYOUTSIZE_MAX};
    const QSize inner = item_->maximumSize();
    const QSize outer = around(inner.boundedTo(QSize(QLAYOUTSIZE_MAX / 2, QLAYOUTSIZE_MAX / 2)));
    return {inner.width() >= QLAYOUTSIZE_MAX ? QLAYOUTSIZE_MAX : outer.width(),
            inner.height() >= QLAYOUTSIZE_MAX ? QLAYOUTSIZE_MAX : outer.height()};
}

bool SurfaceLayout::hasHeightForWidth() const { return item_ && item_->hasHeightForWidth(); }

int SurfaceLayout::heightForWidth(int width) const {
    const QSize extra = around(QSize(0, 0));
    return item_->heightForWidth(width - extra.width()) + extra.height();
}

Qt::Orientations SurfaceLayout::expandingDirections() const {
    return item_ ? item_->expandingDirections() : Qt::Orientations();
}

void SurfaceLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    place();
}

void SurfaceLayout::place() {
    if (!item_) return;
    const QRectF face = surface_.geometry(geometry()).face;
    item_->setGeometry(face.toRect().marginsRemoved(padding_));
}

} // namespace zantiva
