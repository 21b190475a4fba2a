#include "Layout/PageColumn.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "Layout/PageScroll.h"
#include "Theme/Metric.h"

namespace zantiva {

QVBoxLayout* pageColumn(QWidget& page) {
    auto* column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    return column;
}

QBoxLayout* scrollingPageColumn(QWidget& screen) {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(static_cast<int>(Theme::Metric::spacing));
    auto* outer = new QVBoxLayout(&screen);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pageScroll(content));
    return layout;
}

} // namespace zantiva
