#include "Controls/RetroButtonKind.h"

#include "Theme/Palette.h"

namespace zantiva {

FaceColors faceColors(RetroButtonKind kind) {
    using namespace Theme::Palette;
    switch (kind) {
    case RetroButtonKind::primary: return {primary(), onPrimary()};
    case RetroButtonKind::secondary: return {secondary(), onSecondary()};
    case RetroButtonKind::outline: break;
    }
    return {card(), text()};
}

} // namespace zantiva
