#pragma once

#include <QColor>
#include <QString>

#include "Typography/TextRole.h"

namespace zantiva {

class ProseLabel;

// Prose in its role and colour, on one line.
ProseLabel* proseLabel(TextRole role, const QColor& color, const QString& text = {});
// Prose in its role and colour that wraps onto as many lines as it needs.
ProseLabel* wrappedLabel(TextRole role, const QColor& color, const QString& text = {});

} // namespace zantiva
