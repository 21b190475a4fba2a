#include "Layout/CentredRow.h"

#include <QHBoxLayout>

namespace zantiva {

QHBoxLayout* centredRow(QWidget* widget, int stretch) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(widget, stretch);
    row->addStretch();
    return row;
}

} // namespace zantiva
