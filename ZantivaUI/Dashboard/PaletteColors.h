#pragma once

#include <QColor>

#include "Presenters/PaletteColor.h"

namespace zantiva {

// The palette's colour of that name.
const QColor& color(PaletteColor name);

} // namespace zantiva
