#include "Results/StorageSummaryButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Layout/Boxes.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/MachineFigure.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

namespace {

ProseLabel* small(const std::string& text, qreal size) {
    auto* label = new ProseLabel(TextRole::body, color(PaletteColor::text), qs(text));
    label->setFont(vazirFont(VazirWeight::medium, size));
    return label;
}

QLayout* speed(const ResultStorageColumn& column) {
    auto* value = machineFigure(qs(column.value), 18, QFont::Black);
    // Selecting the figure would take the click that opens the storage screen.
    value->setTextInteractionFlags(Qt::NoTextInteraction);
    auto* label = small(column.label, 10);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* stack = plainColumn(2);
    stack->addWidget(value, 0, Qt::AlignHCenter);
    stack->addWidget(label);
    return stack;
}

} // namespace

StorageSummaryButton::StorageSummaryButton(const ResultStorageView& view, QWidget* parent) : QAbstractButton(parent) {
    setToolTip(qs(view.openLabel));
    setAccessibleName(qs(view.title));
    setEnabled(view.isEnabled);
    setCursor(view.isEnabled ? Qt::PointingHandCursor : Qt::ArrowCursor);

    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.title)));
    heading->addStretch();
    heading->addSpacing(8);
    heading->addWidget(small(view.openLabel, 11));

    auto* speeds = new QHBoxLayout;
    speeds->setContentsMargins(0, 0, 0, 0);
    speeds->setSpacing(10);
    for (const auto& column : view.columns) speeds->addLayout(speed(column), 1);

    auto* unit = small(view.unit, 10);
    unit->setWordWrap(true);
    unit->setAlignment(Qt::AlignHCenter);

    auto* content = plainColumn(12);
    content->addLayout(heading);
    content->addLayout(speeds);
    content->addWidget(unit);

    RetroCard::Style style = RetroCard::Style::standard();
    style.isInteractive = view.isEnabled; // no lift for a card that won't open
    auto* card = new RetroCard(style);
    card->setContent(content);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(card);
}

void StorageSummaryButton::paintEvent(QPaintEvent*) {} // the card draws everything

} // namespace zantiva
