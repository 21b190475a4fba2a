#include "Layout/ClearLayout.h"

#include <QLayout>
#include <QWidget>

namespace zantiva {

void clear(QLayout& layout) {
    while (QLayoutItem* item = layout.takeAt(0)) {
        if (QLayout* inner = item->layout()) clear(*inner);
        delete item->widget();
        delete item;
    }
}

} // namespace zantiva
