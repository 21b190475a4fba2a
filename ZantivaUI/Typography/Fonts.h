#pragma once

#include <QFont>

#include "Typography/VazirWeight.h"

namespace zantiva {

// The family every registered weight belongs to.
inline constexpr char vazirFamily[] = "Vazirmatn";

// Vazirmatn in the weight at a fixed pixel size, which no system text-size setting changes.
// With an application object present, the first call registers the family's files.
QFont vazirFont(VazirWeight weight, qreal pixelSize);

// The system's monospaced font for machine-made strings, at a fixed pixel size.
QFont hardwareFont(qreal pixelSize, QFont::Weight weight);

// The system's general font, for the few marks that are not set in Vazirmatn.
QFont systemFont(qreal pixelSize, QFont::Weight weight);

} // namespace zantiva
