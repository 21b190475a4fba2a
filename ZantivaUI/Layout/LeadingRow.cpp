#include "Layout/LeadingRow.h"

#include <QHBoxLayout>

namespace zantiva {

QLayout* leadingRow(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(widget);
    row->addStretch();
    return row;
}

} // namespace zantiva
