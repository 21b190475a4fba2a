#include "LocalizedViews/ZantivaStyle.h"

#include <QLabel>
#include <QPainter>
#include <QStyleFactory>

#include "Typography/DirectedText.h"

namespace zantiva {

ZantivaStyle::ZantivaStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void ZantivaStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                                const QString& text, QPalette::ColorRole textRole) const {
    // A plain-text label passes the direction it guessed from the first letter, and an alignment
    // resolved for that direction; both are worked out again from the label's own direction.
    const auto* label = dynamic_cast<const QLabel*>(painter->device());
    if (label && label->layoutDirection() == Qt::RightToLeft && (flags & Qt::TextForceLeftToRight) &&
        holdsRightToLeftLetter(text)) {
        flags &= ~(Qt::TextForceLeftToRight | Qt::AlignHorizontal_Mask);
        flags |= Qt::TextForceRightToLeft |
                 static_cast<int>(QStyle::visualAlignment(Qt::RightToLeft, label->alignment() & Qt::AlignHorizontal_Mask));
    }
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
}

} // namespace zantiva
