#include "Layout/ScrollToTop.h"

#include <QScrollArea>
#include <QScrollBar>

namespace zantiva {
namespace {

void toTop(QScrollArea& area) { area.verticalScrollBar()->setValue(area.verticalScrollBar()->minimum()); }

} // namespace

void scrollToTop(QWidget& page) {
    for (QWidget* around = page.parentWidget(); around; around = around->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(around)) toTop(*area);
    if (auto* area = qobject_cast<QScrollArea*>(&page)) toTop(*area);
    for (auto* area : page.findChildren<QScrollArea*>()) toTop(*area);
}

} // namespace zantiva
