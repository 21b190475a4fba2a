#include "Typography/RoleProse.h"

#include "Typography/ProseLabel.h"

namespace zantiva {

ProseLabel* proseLabel(TextRole role, const QColor& color, const QString& text) {
    return new ProseLabel(role, color, text);
}

ProseLabel* wrappedLabel(TextRole role, const QColor& color, const QString& text) {
    ProseLabel* label = proseLabel(role, color, text);
    label->setWordWrap(true);
    return label;
}

} // namespace zantiva
