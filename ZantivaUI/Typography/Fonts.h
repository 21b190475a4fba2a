#pragma once

#include <QFont>

#include "Assets/VazirWeight.h"

namespace zantiva {

// The family every registered weight belongs to.
inline constexpr char vazirFamily[] = "Vazirmatn";
// The bundled symbol font's family, for the marks Vazirmatn lacks: the marks the program draws
// of Noto Sans Symbols 2, under a name no installed font has.
inline constexpr char symbolsFamily[] = "Zantiva Symbols";

// Vazirmatn in the weight at a fixed pixel size, which no system text-size setting changes;
// what it lacks is looked up in the symbol font before the system's fallback. With an
// application object present, the first call registers the bundle's font files.
QFont vazirFont(VazirWeight weight, qreal pixelSize);

// The monospaced font for machine-made strings, at a fixed pixel size: DejaVu Sans Mono when
// installed, else the system's monospaced font, else another installed monospaced family when
// the system's choice is not monospaced.
QFont hardwareFont(qreal pixelSize, QFont::Weight weight);

// The font as it is when every character takes the same width, else the first installed
// family that does, in the same size and weight; the font as it is when none does.
QFont monospacedFont(const QFont& preferred);

// The system's general font, for the few marks that are not set in Vazirmatn.
QFont systemFont(qreal pixelSize, QFont::Weight weight);

} // namespace zantiva
