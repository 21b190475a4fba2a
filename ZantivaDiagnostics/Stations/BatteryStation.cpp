#include "Stations/BatteryStation.h"

#include <QVBoxLayout>

#include "Figures/MetricRow.h"
#include "Layout/PageColumn.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {

BatteryStation::BatteryStation(QWidget* parent)
    : QWidget(parent), headline_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      metrics_(new MetricRow(24, Qt::AlignVCenter)),
      footnote_(wrappedLabel(TextRole::label, color(PaletteColor::text))) {
    QVBoxLayout* column = pageColumn(*this);
    column->addWidget(headline_);
    column->addWidget(metrics_);
    column->addWidget(footnote_);
    metrics_->hide();
}

void BatteryStation::show(const BatteryStationView& view) {
    headline_->setProse(QString::fromStdString(view.headline));
    metrics_->setVisible(!view.metrics.empty());
    metrics_->show(view.metrics);
    footnote_->setProse(QString::fromStdString(view.footnote));
}

} // namespace zantiva
