#pragma once

namespace zantiva {

// The only colours the interface draws with, by name, so that code without Qt can choose them;
// color() in Theme/Palette.h gives what is drawn.
enum class PaletteColor {
    primary,       // crimson accent; tone poor, drive bad
    secondary,     // cyan; tone good, drive good
    tertiary,      // olive yellow; tone fair, drive caution
    surface,       // window background
    card,          // card fill
    outline,       // every border and the default hard shadow
    text,          // default text
    muted,         // empty track of the bars
    outlineSubtle, // faint outline, a missing reading
    onPrimary,     // text on primary
    onSecondary,   // text on secondary
    highlight,     // translucent yellow
};

} // namespace zantiva
