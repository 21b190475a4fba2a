#include "Results/DriveHealthCard.h"

#include <QHBoxLayout>

#include "Dashboard/PanelParts.h"
#include "Typography/ProseLabel.h"
#include "Results/ScreenParts.h"
#include "Typography/QtString.h"

namespace zantiva {

namespace {

QLayout* driveRows(const DriveHealthDriveView& drive) {
    using namespace ScreenParts;
    auto* rows = column(4);
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addLayout(machine(qs(drive.name), 14, QFont::Bold), 1);
    heading->addSpacing(8);
    heading->addWidget(badge(drive.status));
    rows->addLayout(heading);
    rows->addWidget(prose(TextRole::label, PaletteColor::text, qs(drive.summary), true));
    for (const auto& issue : drive.issues) rows->addWidget(prose(TextRole::label, issue.color, qs(issue.text), true));
    return rows;
}

} // namespace

DriveHealthCard::DriveHealthCard(QWidget* parent) : RetroCard(Style::standard(), parent), column_(ScreenParts::column(10)) {
    setContent(column_);
}

void DriveHealthCard::show(const DriveHealthView& view) {
    if (shown_ == view) return;
    shown_ = view;
    PanelParts::clear(*column_);
    column_->addWidget(ScreenParts::prose(TextRole::label, PaletteColor::text, qs(view.title)));
    for (const auto& drive : view.drives) column_->addLayout(driveRows(drive));
    column_->addWidget(ScreenParts::prose(TextRole::label, PaletteColor::text, qs(view.note), true));
}

} // namespace zantiva
