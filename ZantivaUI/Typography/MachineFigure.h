#pragma once

#include <QFont>
#include <QString>

namespace zantiva {

class HardwareText;

// A figure (a score, a speed, a clock) in the machine font, in the text colour at the opacity.
HardwareText* machineFigure(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity = 1);

} // namespace zantiva
