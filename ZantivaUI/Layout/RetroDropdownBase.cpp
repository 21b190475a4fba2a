#include "Layout/RetroDropdownBase.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "Layout/DropdownList.h"
#include "Layout/FloatingOverlay.h"
#include "Layout/OutsideClickDismissal.h"
#include "Theme/GroupOpacity.h"
#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"

namespace zantiva {

namespace {

constexpr qreal radius = Theme::Metric::badgeRadius;
constexpr int horizontalPadding = 12;
constexpr int verticalPadding = 6;
constexpr int spacing = 6;
constexpr int gapBelow = 4;
constexpr qreal triangleOpacity = 0.7;

QFont labelFont() { return vazirFont(VazirWeight::bold, 13); }
QFont triangleFont() { return systemFont(11, QFont::Black); }

} // namespace

RetroDropdownBase::RetroDropdownBase(qreal width, bool startsOpen, QWidget* parent)
    : QAbstractButton(parent), width_(width), open_(startsOpen), list_(new DropdownList(width)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    overlay_ = new FloatingOverlay(this, list_, [this](const QRect& anchor, QWidget& content) {
        return QRect(anchor.topLeft() + listOffset(), content.sizeHint());
    });
    dismissal_ = new OutsideClickDismissal(this, [this] { setOpen(false); });
    connect(this, &QAbstractButton::clicked, this, [this] { setOpen(!open_); });
    connect(list_, &DropdownList::picked, this, [this](int row) {
        pick(row);
        setOpen(false);
    });
    overlay_->setShown(open_);
    dismissal_->setPresented(open_);
}

RetroDropdownBase::~RetroDropdownBase() = default;

void RetroDropdownBase::setOpen(bool open) {
    if (open == open_) return;
    open_ = open;
    overlay_->setShown(open_);
    dismissal_->setPresented(open_);
    update();
    emit openChanged(open_);
}

QPoint RetroDropdownBase::listOffset() const { return {0, height() + gapBelow}; }

void RetroDropdownBase::setTexts(const QString& current, const QStringList& rows, std::optional<int> selectedRow) {
    current_ = current;
    setAccessibleDescription(current);
    list_->setRows(rows, selectedRow);
    overlay_->place();
    update();
}

QSize RetroDropdownBase::sizeHint() const {
    const int text = std::max(QFontMetrics(labelFont()).height(), QFontMetrics(triangleFont()).height());
    return {static_cast<int>(std::ceil(width_)), text + 2 * verticalPadding};
}

void RetroDropdownBase::changeEvent(QEvent* event) {
    // A disabled picker can't be open: its rows would still follow the pointer and take clicks.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) setOpen(false);
    QAbstractButton::changeEvent(event);
}

void RetroDropdownBase::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintWithOpacity(painter, *this, isEnabled() ? 1.0 : disabledOpacity, [this](QPainter& layer) {
        paintFace(layer);
    });
}

void RetroDropdownBase::paintFace(QPainter& painter) const {
    const QRectF frame = rect();
    paintOutlinedShape(painter, frame, radius, open_ ? color(PaletteColor::card) : color(PaletteColor::muted),
                       color(PaletteColor::outline));

    const QString triangle = open_ ? QStringLiteral("\u25B4") : QStringLiteral("\u25BE");
    const QRect inner = rect().adjusted(horizontalPadding, verticalPadding, -horizontalPadding, -verticalPadding);
    painter.setFont(triangleFont());
    const int triangleWidth = painter.fontMetrics().horizontalAdvance(triangle);
    const QRect triangleArea(inner.right() - triangleWidth + 1, inner.top(), triangleWidth, inner.height());
    const QRect labelArea(inner.left(), inner.top(), std::max(0, inner.width() - triangleWidth - spacing), inner.height());

    painter.setPen(color(PaletteColor::text));
    painter.save();
    painter.setOpacity(painter.opacity() * triangleOpacity);
    painter.drawText(QStyle::visualRect(layoutDirection(), rect(), triangleArea), Qt::AlignCenter, triangle);
    painter.restore();

    painter.setFont(labelFont());
    const QString label = painter.fontMetrics().elidedText(current_, Qt::ElideRight, labelArea.width());
    painter.drawText(QStyle::visualRect(layoutDirection(), rect(), labelArea), Qt::AlignLeft | Qt::AlignVCenter, label);
}

} // namespace zantiva
