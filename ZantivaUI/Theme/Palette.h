#pragma once

#include <QColor>
#include <cstdint>

namespace zantiva {

// An sRGB colour from 0xRRGGBB; bits 24 to 31 play no part, the opacity is taken as given.
QColor colorFromHex(std::uint32_t hex, double opacity = 1.0);

namespace Theme::Palette {

// The only colours the interface draws with. Each is made once and shared.
const QColor& primary();       // crimson accent; tone poor, drive bad
const QColor& secondary();     // cyan; tone good, drive good
const QColor& tertiary();      // olive yellow; tone fair, drive caution
const QColor& surface();       // window background
const QColor& card();          // card fill
const QColor& outline();       // every border and the default hard shadow
const QColor& text();          // default text
const QColor& muted();         // empty track of the bars
const QColor& outlineSubtle(); // faint outline, a missing reading
const QColor& onPrimary();     // text on primary
const QColor& onSecondary();   // text on secondary
const QColor& highlight();     // translucent yellow

} // namespace Theme::Palette

// The colour with its opacity multiplied by factor (a translucent colour gets fainter still).
QColor withOpacity(const QColor& color, double factor);

} // namespace zantiva
