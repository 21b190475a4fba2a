#pragma once

class QLayout;

namespace zantiva {

// Empties a layout, deleting its widgets.
void clearLayout(QLayout& layout);

} // namespace zantiva
