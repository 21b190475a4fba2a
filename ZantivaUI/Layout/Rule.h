#pragma once

#include "Palette/PaletteColor.h"

class QWidget;

namespace zantiva {

// A 2-pixel line across the width, in the faint outline colour unless told otherwise.
QWidget* rule(PaletteColor colour = PaletteColor::outlineSubtle);

} // namespace zantiva
