#include "Typography/ProseLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QtMath>

#include <algorithm>

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
    keepRoomForOverhang();
}

void ProseLabel::setAlignment(Qt::Alignment alignment) {
    QLabel::setAlignment(alignment);
    keepRoomForOverhang();
}

void ProseLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) setText(directedText(prose_, layoutDirection()));
    if (event->type() == QEvent::LayoutDirectionChange || event->type() == QEvent::FontChange) keepRoomForOverhang();
    QLabel::changeEvent(event);
}

// Lines are broken and aligned by the letters' advances, but a letter may reach past its advance
// (the tail of a Persian final letter): the side where lines end keeps room for that reach, else
// the label cuts it off.
void ProseLabel::keepRoomForOverhang() {
    const QFontMetricsF metrics(font());
    const int reach = qCeil(std::max({0.0, -metrics.minLeftBearing(), -metrics.minRightBearing()}));
    const Qt::Alignment visual = QStyle::visualAlignment(layoutDirection(), alignment());
    const bool centred = visual & Qt::AlignHCenter;
    setContentsMargins(visual & Qt::AlignRight || centred ? reach : 0, 0, visual & Qt::AlignLeft || centred ? reach : 0, 0);
}

} // namespace zantiva
