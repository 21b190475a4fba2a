#pragma once

#include <QPalette>

class QWidget;

namespace zantiva {

class LocNotifier;

// The dark palette of every window, all of it from the palette: surface background, text
// colour, crimson selection and focus accent.
QPalette rootPalette();

// Applied once to each window's top widget before it is shown: registers the fonts and sets
// ZantivaStyle (both once per process), the base font Vazirmatn-Medium 13, the palette and
// the surface background, and a layout direction that follows the language from now on. Under
// the root, a label's Persian text runs right to left whatever letter it starts with.
void applyZantivaRoot(QWidget& window, LocNotifier& loc);

} // namespace zantiva
