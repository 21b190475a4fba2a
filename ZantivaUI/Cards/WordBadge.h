#pragma once

#include <QString>

#include "Palette/PaletteColor.h"

namespace zantiva {

class RetroBadge;

// A pill with its word in its colours, the word in the direction of the layout.
RetroBadge* wordBadge(const QString& word, PaletteColor background, PaletteColor foreground);

} // namespace zantiva
