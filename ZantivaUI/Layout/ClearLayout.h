#pragma once

class QLayout;

namespace zantiva {

// Empties a layout, deleting its widgets.
void clear(QLayout& layout);

} // namespace zantiva
