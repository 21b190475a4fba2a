#include "Results/DriveHealthCard.h"

#include <QHBoxLayout>

#include "Cards/RetroBadge.h"
#include "Cards/WordBadge.h"
#include "Layout/Boxes.h"
#include "Layout/MachineLine.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

namespace {

QLayout* driveRows(const DriveHealthDriveView& drive) {
    auto* rows = plainColumn(4);
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addLayout(machineLine(qs(drive.name), 14, QFont::Bold), 1);
    heading->addSpacing(8);
    heading->addWidget(wordBadge(qs(drive.status.text), drive.status.background, drive.status.foreground));
    rows->addLayout(heading);
    rows->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(drive.summary)));
    for (const auto& issue : drive.issues) rows->addWidget(wrappedLabel(TextRole::label, color(issue.color), qs(issue.text)));
    return rows;
}

} // namespace

DriveHealthCard::DriveHealthCard(QWidget* parent) : RetroCard(Style::standard(), parent) {}

void DriveHealthCard::show(const DriveHealthView& view) {
    if (shown_ == view) return;
    shown_ = view;
    // The rows are made on a face of their own that takes the old one's place whole: a label added
    // to a shown card is shown on its own and lays the whole page out again, once per label.
    auto* face = new QWidget;
    auto* column = plainColumn(10);
    face->setLayout(column);
    column->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.title)));
    for (const auto& drive : view.drives) column->addLayout(driveRows(drive));
    if (!view.unread.empty()) column->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.unread)));
    column->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.note)));
    setContent(face);
    delete face_;
    face_ = face;
}

} // namespace zantiva
