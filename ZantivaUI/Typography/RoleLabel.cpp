#include "Typography/RoleLabel.h"

#include <QLabel>

namespace zantiva {

QLabel* roleLabel(TextRole role, const QColor& color, const QString& text) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    applyTextRole(*label, role, color);
    return label;
}

} // namespace zantiva
