#include "Stations/DisplayStation.h"

#include <QVBoxLayout>

#include "Controls/RetroButton.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageColumn.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

DisplayStation::DisplayStation(QWidget* parent)
    : QWidget(parent), body_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      start_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)),
      running_(wrappedLabel(TextRole::label, color(PaletteColor::text))) {
    QVBoxLayout* column = pageColumn(*this);
    column->addWidget(body_);
    column->addLayout(leadingRow(start_));
    column->addWidget(running_);
    running_->hide();
    connect(start_, &QAbstractButton::clicked, this, &DisplayStation::startRequested);
}

void DisplayStation::show(const DisplayStationView& view) {
    body_->setProse(qs(view.body));
    start_->setText(qs(view.start));
    start_->setEnabled(view.canStart);
    running_->setProse(qs(view.running));
    running_->setVisible(!view.running.empty());
}

} // namespace zantiva
