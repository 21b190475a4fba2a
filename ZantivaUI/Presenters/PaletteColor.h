#pragma once

namespace zantiva {

// A colour of the interface's palette by name, for code that decides colours without Qt.
enum class PaletteColor {
    primary,
    secondary,
    tertiary,
    surface,
    card,
    outline,
    text,
    muted,
    outlineSubtle,
    onPrimary,
    onSecondary,
    highlight,
};

} // namespace zantiva
