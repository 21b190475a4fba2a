#pragma once

#include <QColor>
#include <QString>

#include "Typography/TextRole.h"

class QLabel;

namespace zantiva {

// Plain text (never rich text) styled by its role.
QLabel* roleLabel(TextRole role, const QColor& color, const QString& text = {});

} // namespace zantiva
