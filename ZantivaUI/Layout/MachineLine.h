#pragma once

#include <QFont>
#include <QString>

class QLayout;

namespace zantiva {

// Machine text (scores, models, paths) in the monospaced font, left to right in both
// languages, at the leading edge of its row, wrapping at its spaces when it is long.
QLayout* machineLine(const QString& text, qreal pixelSize, QFont::Weight weight, double opacity = 1);

} // namespace zantiva
