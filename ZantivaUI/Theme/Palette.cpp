#include "Theme/Palette.h"

namespace zantiva {

QColor colorFromHex(std::uint32_t hex, double opacity) {
    return QColor::fromRgbF(static_cast<float>(((hex >> 16) & 0xFF) / 255.0),
                            static_cast<float>(((hex >> 8) & 0xFF) / 255.0),
                            static_cast<float>((hex & 0xFF) / 255.0), static_cast<float>(opacity));
}

QColor withOpacity(const QColor& color, double factor) {
    QColor result = color;
    result.setAlphaF(static_cast<float>(color.alphaF() * factor));
    return result;
}

namespace Theme::Palette {

namespace {

// Made on first use, once per colour, and shared from then on.
template <std::uint32_t Hex, int OpacityPercent> const QColor& shared() {
    static const QColor color = colorFromHex(Hex, OpacityPercent / 100.0);
    return color;
}

} // namespace

const QColor& primary() { return shared<0xD61849, 100>(); }
const QColor& secondary() { return shared<0x00A8BC, 100>(); }
const QColor& tertiary() { return shared<0xC2B100, 100>(); }
const QColor& surface() { return shared<0x262626, 100>(); }
const QColor& card() { return shared<0x3F3F46, 100>(); }
const QColor& outline() { return shared<0x0A0A0A, 100>(); }
const QColor& text() { return shared<0xF9FAFB, 100>(); }
const QColor& muted() { return shared<0x52525B, 100>(); }
const QColor& outlineSubtle() { return shared<0x6B7280, 100>(); }
const QColor& onPrimary() { return shared<0xFFFFFF, 100>(); }
const QColor& onSecondary() { return shared<0x000000, 100>(); }
const QColor& highlight() { return shared<0xFFEA00, 28>(); }

} // namespace Theme::Palette
} // namespace zantiva
