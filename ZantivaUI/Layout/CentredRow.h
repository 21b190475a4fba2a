#pragma once

class QHBoxLayout;
class QWidget;

namespace zantiva {

// The widget in the middle of a row. With a stretch it grows up to its maximum width, so a
// wrapping label keeps the height its lines need, which an aligned one in a column does not.
QHBoxLayout* centredRow(QWidget* widget, int stretch = 0);

} // namespace zantiva
