#include "Figures/ScoreRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Layout/LeadingRow.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {

namespace {

QLabel* machineLabel(const std::string& text, qreal size, const QColor& colour) {
    auto* label = new QLabel(directedText(qs(text), Qt::LeftToRight));
    label->setTextFormat(Qt::PlainText);
    label->setFont(vazirFont(VazirWeight::black, size));
    label->setLayoutDirection(Qt::LeftToRight);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setForeground(*label, colour);
    return label;
}

} // namespace

ScoreRow::ScoreRow(const ScoreRowView& view, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    for (const auto& figure : view.figures) {
        auto* value = machineLabel(figure.value, view.size,
                                   color(figure.isMissing ? PaletteColor::outlineSubtle : PaletteColor::text));
        auto* label = new ProseLabel(TextRole::label, color(PaletteColor::text), qs(figure.label));
        label->setFont(vazirFont(VazirWeight::medium, 10));
        setForeground(*label, withOpacity(color(PaletteColor::text), 0.6));
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->addLayout(leadingRow(value));
        column->addWidget(label);
        row->addLayout(column, 1);
        row->setAlignment(column, Qt::AlignTop);
        values_.push_back(value);
    }
    if (view.reservesThirdColumn) {
        auto* placeholder = new QWidget;
        placeholder->setMaximumHeight(1);
        row->addWidget(placeholder, 1);
    }
}

QLabel* scoreTitle(const std::string& text, qreal size) {
    auto* name = machineLabel(text, size, color(PaletteColor::text));
    name->setTextInteractionFlags(Qt::NoTextInteraction);
    return name;
}

} // namespace zantiva
