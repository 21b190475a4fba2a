#include "Theme/Palette.h"

#include <cstdint>

namespace zantiva {

namespace {

// Made on first use from 0xRRGGBB, once per colour, and shared from then on.
template <std::uint32_t Hex, int OpacityPercent> const QColor& shared() {
    static const QColor color = QColor::fromRgbF(static_cast<float>(((Hex >> 16) & 0xFF) / 255.0),
                                                 static_cast<float>(((Hex >> 8) & 0xFF) / 255.0),
                                                 static_cast<float>((Hex & 0xFF) / 255.0),
                                                 static_cast<float>(OpacityPercent / 100.0));
    return color;
}

} // namespace

const QColor& color(PaletteColor name) {
    switch (name) {
    case PaletteColor::primary: return shared<0xD61849, 100>();
    case PaletteColor::secondary: return shared<0x00A8BC, 100>();
    case PaletteColor::tertiary: return shared<0xC2B100, 100>();
    case PaletteColor::surface: return shared<0x262626, 100>();
    case PaletteColor::card: return shared<0x3F3F46, 100>();
    case PaletteColor::outline: return shared<0x0A0A0A, 100>();
    case PaletteColor::text: return shared<0xF9FAFB, 100>();
    case PaletteColor::muted: return shared<0x52525B, 100>();
    case PaletteColor::outlineSubtle: return shared<0x6B7280, 100>();
    case PaletteColor::onPrimary: return shared<0xFFFFFF, 100>();
    case PaletteColor::onSecondary: return shared<0x000000, 100>();
    case PaletteColor::highlight: break;
    }
    return shared<0xFFEA00, 28>();
}

QColor withOpacity(const QColor& color, double factor) {
    QColor result = color;
    result.setAlphaF(static_cast<float>(color.alphaF() * factor));
    return result;
}

} // namespace zantiva
