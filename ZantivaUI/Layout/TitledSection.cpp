#include "Layout/TitledSection.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Layout/LeadingRow.h"

namespace zantiva {

QWidget* titledSection(QLabel* title, QLayout* content) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    // A title in Latin letters ("CPU") still stands at the leading edge in Persian.
    layout->addLayout(leadingRow(title));
    layout->addLayout(content);
    return box;
}

QWidget* titledSection(QLabel* title, QWidget* content) {
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return titledSection(title, layout);
}

} // namespace zantiva
