#include "Panels/SpecsStorageCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Cards/RetroBadge.h"
#include "Layout/ClearLayout.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/QtString.h"
#include "Typography/RoleLabel.h"

namespace zantiva {

namespace {

constexpr double emptyOpacity = 0.6;

QWidget* driveRow(const SpecsDrive& drive, const std::string& externalLabel) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    if (drive.model.kind == SpecsDetail::Kind::hardware)
        layout->addWidget(new HardwareText(qs(drive.model.text), 13, QFont::Bold, color(PaletteColor::text)));
    else
        layout->addWidget(roleLabel(TextRole::body, color(PaletteColor::text), qs(drive.model.text)));
    layout->addStretch();
    if (drive.isExternal)
        layout->addWidget(new RetroBadge(qs(externalLabel), color(PaletteColor::card), color(PaletteColor::text)));
    if (drive.kindBadge) {
        auto* kind = new HardwareText(qs(*drive.kindBadge), 11, QFont::Black, color(PaletteColor::text));
        layout->addWidget(new RetroBadge(kind, color(PaletteColor::card)));
    }
    layout->addWidget(new HardwareText(qs(drive.capacity), 13, QFont::Black, color(PaletteColor::text)));
    return row;
}

} // namespace

SpecsStorageCard::SpecsStorageCard(QWidget* parent)
    : RetroCard(RetroCard::Style::standard(), parent),
      title_(roleLabel(TextRole::label, color(PaletteColor::text))), rows_(new QVBoxLayout) {
    rows_->setSpacing(12);
    rows_->setContentsMargins(0, 0, 0, 0);
    auto* stack = new QVBoxLayout;
    stack->setSpacing(12);
    stack->addWidget(title_);
    stack->addLayout(rows_);
    setContent(stack);
}

void SpecsStorageCard::setDrives(const std::string& title, const std::vector<SpecsDrive>& drives,
                                 const std::string& externalLabel, const std::string& notReported) {
    title_->setText(qs(title));
    clearLayout(*rows_);
    for (const SpecsDrive& drive : drives) rows_->addWidget(driveRow(drive, externalLabel));
    if (drives.empty())
        rows_->addWidget(roleLabel(TextRole::body, withOpacity(color(PaletteColor::text), emptyOpacity),
                                               qs(notReported)));
}

} // namespace zantiva
