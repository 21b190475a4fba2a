#include "Dashboard/FittedHardwareText.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <cmath>

#include "Typography/Fonts.h"

namespace zantiva {

FittedHardwareText::FittedHardwareText(qreal pixelSize, qreal smallestScale, QFont::Weight weight,
                                       const QColor& color, QWidget* parent)
    : HardwareText({}, pixelSize, weight, color, parent), fullFont_(font()), smallestScale_(smallestScale) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void FittedHardwareText::setFullText(const QString& text) {
    if (text == fullText_) return;
    fullText_ = text;
    updateGeometry();
    fit();
}

QSize FittedHardwareText::sizeHint() const {
    const QFontMetrics metrics(fullFont_);
    const QMargins margins = contentsMargins();
    return {metrics.horizontalAdvance(fullText_) + 2 * margin() + margins.left() + margins.right() + 1,
            metrics.height() + 2 * margin() + margins.top() + margins.bottom()};
}

QSize FittedHardwareText::minimumSizeHint() const { return {0, sizeHint().height()}; }

void FittedHardwareText::resizeEvent(QResizeEvent* event) {
    HardwareText::resizeEvent(event);
    fit();
}

void FittedHardwareText::fit() {
    const int room = contentsRect().width() - 2 * margin();
    const int full = QFontMetrics(fullFont_).horizontalAdvance(fullText_);
    QFont shown = fullFont_;
    if (full > room && full > 0) {
        const int fullSize = fullFont_.pixelSize();
        const int smallest = static_cast<int>(std::ceil(fullSize * smallestScale_));
        // Widths grow with the size but not quite in proportion: step down until it fits.
        int size = std::max(smallest, static_cast<int>(std::floor(fullSize * double(room) / full)) + 1);
        for (; size > smallest; --size) {
            shown.setPixelSize(size);
            if (QFontMetrics(shown).horizontalAdvance(fullText_) <= room) break;
        }
        shown.setPixelSize(std::min(size, fullSize));
    }
    if (shown != font()) setFont(shown);
    const QString text = QFontMetrics(shown).elidedText(fullText_, Qt::ElideRight, std::max(room, 0));
    if (text != QLabel::text()) setText(text);
}

} // namespace zantiva
