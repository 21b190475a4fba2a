#pragma once

#include <QString>

#include "Typography/TextRole.h"

class QLabel;
class QLayout;
class QWidget;

namespace zantiva {

// Small pieces the dashboard panels are built from.
namespace PanelParts {

// Plain text (never rich text) styled by its role.
QLabel* roleLabel(TextRole role, const QColor& color, const QString& text = {});
// A title over its content, 4 pixels apart, at the leading edge.
QWidget* section(QLabel* title, QWidget* content);
QWidget* section(QLabel* title, QLayout* content);
// The widget at the leading edge of a row (the right in right-to-left layout), at its own width.
// For widgets that force left to right, which Qt would otherwise align by their own direction.
QLayout* leading(QWidget* widget);
// A 2-pixel line across the width in the faint outline colour.
QWidget* rule();
// Empties a layout, deleting its widgets.
void clear(QLayout& layout);

} // namespace PanelParts
} // namespace zantiva
