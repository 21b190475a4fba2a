#include "Stations/RAMStation.h"

#include <QVBoxLayout>

#include "Cards/RetroProgressBar.h"
#include "Layout/PageColumn.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {

RAMStation::RAMStation(QWidget* parent)
    : QWidget(parent), pass_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      bar_(new RetroProgressBar(0, color(PaletteColor::tertiary))) {
    QVBoxLayout* column = pageColumn(*this);
    column->addWidget(pass_);
    column->addWidget(bar_);
    pass_->hide();
}

void RAMStation::show(const RamStationView& view) {
    pass_->setVisible(view.pass.has_value());
    pass_->setProse(QString::fromStdString(view.pass.value_or("")));
    bar_->setValue(view.fraction);
}

} // namespace zantiva
