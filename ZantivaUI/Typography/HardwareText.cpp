#include "Typography/HardwareText.h"

#include "Typography/Fonts.h"
#include "Typography/TextRole.h"

namespace zantiva {

HardwareText::HardwareText(const QString& text, qreal pixelSize, QFont::Weight weight, const QColor& color,
                           QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(text);
    setFont(hardwareFont(pixelSize, weight));
    setForeground(*this, color);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLayoutDirection(Qt::LeftToRight);
}

} // namespace zantiva
