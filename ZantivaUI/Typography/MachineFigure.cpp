#include "Typography/MachineFigure.h"

#include "Theme/Palette.h"
#include "Typography/HardwareText.h"

namespace zantiva {

HardwareText* machineFigure(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity) {
    return new HardwareText(text, pixelSize, weight, withOpacity(color(PaletteColor::text), opacity));
}

} // namespace zantiva
