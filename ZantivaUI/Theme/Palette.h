#pragma once

#include <QColor>

#include "Palette/PaletteColor.h"

namespace zantiva {

// The palette's colour of that name: the one way from a name to what is drawn. Each colour is
// made once and shared.
const QColor& color(PaletteColor name);

// The colour with its opacity multiplied by factor (a translucent colour gets fainter still).
QColor withOpacity(const QColor& color, double factor);

} // namespace zantiva
