#pragma once

class QLayout;
class QWidget;

namespace zantiva {

// The widget at the leading edge of a row (the right in right-to-left layout), at its own width.
// For widgets that force left to right, which Qt would otherwise align by their own direction.
QLayout* leadingRow(QWidget* widget);

} // namespace zantiva
