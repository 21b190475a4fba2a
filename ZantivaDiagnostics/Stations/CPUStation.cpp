#include "Stations/CPUStation.h"

#include <QVBoxLayout>

#include "Cards/RetroProgressBar.h"
#include "Figures/MetricRow.h"
#include "Layout/PageColumn.h"
#include "Stations/LiveUsageCharts.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/RoleProse.h"

namespace zantiva {

CPUStation::CPUStation(QWidget* parent)
    : QWidget(parent), phase_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      bar_(new RetroProgressBar(0, color(PaletteColor::primary))), metrics_(new MetricRow(20, Qt::AlignVCenter)),
      throttle_(wrappedLabel(TextRole::label, color(PaletteColor::primary))), charts_(new LiveUsageCharts),
      reference_(wrappedLabel(TextRole::label, color(PaletteColor::text))) {
    QVBoxLayout* column = pageColumn(*this);
    for (QWidget* item : std::initializer_list<QWidget*>{phase_, bar_, metrics_, throttle_, charts_, reference_})
        column->addWidget(item);
    throttle_->hide();
}

void CPUStation::show(const CpuStationView& view) {
    phase_->setProse(QString::fromStdString(view.phase));
    bar_->setValue(view.fraction);
    metrics_->show(view.metrics);
    throttle_->setVisible(view.throttle.has_value());
    throttle_->setProse(QString::fromStdString(view.throttle.value_or("")));
    charts_->show(view.usage);
    reference_->setProse(QString::fromStdString(view.reference));
}

} // namespace zantiva
