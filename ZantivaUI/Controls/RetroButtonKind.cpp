#include "Controls/RetroButtonKind.h"

#include "Theme/Palette.h"

namespace zantiva {

FaceColors faceColors(RetroButtonKind kind) {
    using enum PaletteColor;
    switch (kind) {
    case RetroButtonKind::primary: return {color(primary), color(onPrimary)};
    case RetroButtonKind::secondary: return {color(secondary), color(onSecondary)};
    case RetroButtonKind::outline: break;
    }
    return {color(card), color(text)};
}

} // namespace zantiva
