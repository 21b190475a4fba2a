#include "Dashboard/PanelParts.h"

#include <QLabel>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Theme/Palette.h"

namespace zantiva::PanelParts {

QLabel* roleLabel(TextRole role, const QColor& color, const QString& text) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    applyTextRole(*label, role, color);
    return label;
}

QWidget* section(QLabel* title, QLayout* content) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    // A title in Latin letters ("CPU") still stands at the leading edge in Persian.
    layout->addLayout(leading(title));
    layout->addLayout(content);
    return box;
}

QWidget* section(QLabel* title, QWidget* content) {
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return section(title, layout);
}

QLayout* leading(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(widget);
    row->addStretch();
    return row;
}

QWidget* rule() {
    auto* line = new QWidget;
    line->setFixedHeight(2);
    line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, color(PaletteColor::outlineSubtle));
    line->setPalette(palette);
    return line;
}

void clear(QLayout& layout) {
    while (QLayoutItem* item = layout.takeAt(0)) {
        if (QLayout* inner = item->layout()) clear(*inner);
        delete item->widget();
        delete item;
    }
}

} // namespace zantiva::PanelParts
