#include "Typography/ProseLabel.h"

#include <QEvent>

#include "Typography/DirectedText.h"

namespace zantiva {

ProseLabel::ProseLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

ProseLabel::ProseLabel(TextRole role, const QColor& color, const QString& text, QWidget* parent)
    : ProseLabel(parent) {
    applyTextRole(*this, role, color);
    setProse(text);
}

void ProseLabel::setProse(const QString& text) {
    prose_ = text;
    setText(directedText(prose_, layoutDirection()));
}

void ProseLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) setText(directedText(prose_, layoutDirection()));
    QLabel::changeEvent(event);
}

} // namespace zantiva
