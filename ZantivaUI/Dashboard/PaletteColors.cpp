#include "Dashboard/PaletteColors.h"

#include "Theme/Palette.h"

namespace zantiva {

const QColor& color(PaletteColor name) {
    using namespace Theme::Palette;
    switch (name) {
    case PaletteColor::primary: return primary();
    case PaletteColor::secondary: return secondary();
    case PaletteColor::tertiary: return tertiary();
    case PaletteColor::surface: return surface();
    case PaletteColor::card: return card();
    case PaletteColor::outline: return outline();
    case PaletteColor::text: return text();
    case PaletteColor::muted: return muted();
    case PaletteColor::outlineSubtle: return outlineSubtle();
    case PaletteColor::onPrimary: return onPrimary();
    case PaletteColor::onSecondary: return onSecondary();
    case PaletteColor::highlight: break;
    }
    return highlight();
}

} // namespace zantiva
