#include "Typography/ProseLabel.h"

#include <QEvent>

namespace zantiva {

namespace {

constexpr QChar leftToRightMark(0x200E);
constexpr QChar rightToLeftMark(0x200F);

} // namespace

ProseLabel::ProseLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ProseLabel::setProse(const QString& text) {
    prose_ = text;
    mark();
}

void ProseLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) mark();
    QLabel::changeEvent(event);
}

void ProseLabel::mark() {
    if (prose_.isEmpty()) return setText({});
    setText((layoutDirection() == Qt::RightToLeft ? rightToLeftMark : leftToRightMark) + prose_);
}

} // namespace zantiva
