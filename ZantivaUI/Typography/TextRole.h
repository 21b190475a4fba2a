#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace zantiva {

// The fixed set of text styles of the interface.
enum class TextRole { title, header, subHeader, body, label, button, input };

// The role's Vazirmatn weight at its fixed pixel size: title Black 30, header ExtraBold 20,
// subHeader SemiBold 14, body Medium 13, label Bold 11, button ExtraBold 14, input SemiBold 14.
QFont font(TextRole role);
// 0.75 for subHeader, 0.65 for label, 1 for the others.
double opacityFactor(TextRole role);
// The colour with its opacity multiplied by the role's factor.
QColor roleColor(TextRole role, const QColor& color);

// The one way text is styled: the role's font and the dimmed colour on the widget.
void applyTextRole(QWidget& widget, TextRole role, const QColor& color);
// The colour of a widget's text (window text and edited text alike).
void setForeground(QWidget& widget, const QColor& color);

} // namespace zantiva
