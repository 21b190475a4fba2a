#pragma once

#include "Palette/PaletteColor.h"

class QLayout;

namespace zantiva {

class RetroCard;

// A standard card (outline shadow 6) holding the layout, on its fill, padded 20 unless told otherwise.
RetroCard* cardAround(QLayout* content, PaletteColor background = PaletteColor::card, double padding = 20);

} // namespace zantiva
