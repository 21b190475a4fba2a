#include "Results/ProseButton.h"

#include <QEvent>

namespace zantiva {

ProseButton::ProseButton(RetroButtonKind kind, RetroButtonSize size, QWidget* parent)
    : RetroButton({}, kind, size, parent) {}

void ProseButton::setProse(const QString& text) {
    prose_ = text;
    applyDirection();
}

void ProseButton::applyDirection() {
    if (layoutDirection() == Qt::RightToLeft && !prose_.isEmpty())
        setText(QChar(0x2067) + prose_ + QChar(0x2069)); // right-to-left isolate … pop
    else
        setText(prose_);
}

void ProseButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) applyDirection();
    RetroButton::changeEvent(event);
}

} // namespace zantiva
