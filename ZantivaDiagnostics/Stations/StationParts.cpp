#include "Stations/StationParts.h"

#include <QVBoxLayout>

#include "Typography/ProseLabel.h"

namespace zantiva::StationParts {

ProseLabel* proseLabel(TextRole role, const QColor& color) {
    auto* label = new ProseLabel;
    applyTextRole(*label, role, color);
    return label;
}

ProseLabel* wrappedLabel(TextRole role, const QColor& color) {
    ProseLabel* label = proseLabel(role, color);
    label->setWordWrap(true);
    return label;
}

QVBoxLayout* pageColumn(QWidget& page) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    return column;
}

} // namespace zantiva::StationParts
