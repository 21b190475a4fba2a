#pragma once

#include <QColor>

#include "Typography/TextRole.h"

class QVBoxLayout;
class QWidget;

namespace zantiva {

class ProseLabel;

// Pieces every station page is built from.
namespace StationParts {

// Prose in its role, on one line.
ProseLabel* proseLabel(TextRole role, const QColor& color);
// Prose in its role that wraps onto as many lines as it needs.
ProseLabel* wrappedLabel(TextRole role, const QColor& color);
// The page's items from the top, 14 pixels apart, on the whole width of the station card.
QVBoxLayout* pageColumn(QWidget& page);

} // namespace StationParts
} // namespace zantiva
