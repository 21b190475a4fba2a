#include "Layout/ClearLayout.h"

#include <QLayout>
#include <QWidget>

namespace zantiva {

void clearLayout(QLayout& layout) {
    while (QLayoutItem* item = layout.takeAt(0)) {
        if (QLayout* inner = item->layout()) clearLayout(*inner);
        delete item->widget();
        delete item;
    }
}

} // namespace zantiva
