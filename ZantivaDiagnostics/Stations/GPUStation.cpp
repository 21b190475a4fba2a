#include "Stations/GPUStation.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <memory>

#include "Cards/RetroProgressBar.h"
#include "Figures/MetricRow.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageColumn.h"
#include "Stations/GpuPreviewFrame.h"
#include "Stations/LiveUsageCharts.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

// The box around the device's name: surface fill, outline inside its edge, radius 8.
class AdapterBox : public QWidget {
public:
    AdapterBox(ProseLabel* label, HardwareText* name) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 6, 12, 6);
        row->setSpacing(10);
        row->addWidget(label, 0, Qt::AlignVCenter);
        row->addWidget(name, 0, Qt::AlignVCenter);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintOutlinedShape(painter, rect(), 8, color(PaletteColor::surface), color(PaletteColor::outline));
    }
};

} // namespace

GPUStation::GPUStation(QWidget* parent)
    : QWidget(parent), subtitle_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
      adapterLabel_(proseLabel(TextRole::label, color(PaletteColor::text))),
      adapterName_(new HardwareText({}, 13, QFont::Bold, color(PaletteColor::text))),
      stage_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      bar_(new RetroProgressBar(0, color(PaletteColor::primary))), metrics_(new MetricRow(20, Qt::AlignTop)),
      preview_(new GpuPreviewFrame), previewPending_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
      usage_(new MetricRow(20, Qt::AlignVCenter)), charts_(new LiveUsageCharts),
      reference_(wrappedLabel(TextRole::label, color(PaletteColor::text))) {
    adapter_ = new AdapterBox(adapterLabel_, adapterName_);
    // The live values at the leading edge, the preview (or the note that it is coming) at the
    // trailing one.
    auto* liveRow = new QHBoxLayout;
    liveRow->setSpacing(20);
    liveRow->addWidget(metrics_, 0, Qt::AlignTop);
    liveRow->addStretch();
    liveRow->addWidget(preview_, 1, Qt::AlignTop);
    liveRow->addWidget(previewPending_, 1, Qt::AlignTop);

    QVBoxLayout* column = pageColumn(*this);
    column->addWidget(subtitle_);
    column->addLayout(leadingRow(adapter_));
    column->addWidget(stage_);
    column->addWidget(bar_);
    column->addLayout(liveRow);
    column->addWidget(usage_);
    column->addWidget(charts_);
    column->addWidget(reference_);
    adapter_->hide();
    preview_->hide();
}

void GPUStation::show(const GpuStationView& view) {
    subtitle_->setProse(qs(view.subtitle));
    adapter_->setVisible(view.adapter.has_value());
    if (view.adapter) {
        adapterLabel_->setProse(qs(view.adapter->label));
        adapterName_->setText(qs(view.adapter->name));
    }
    stage_->setProse(qs(view.stage));
    bar_->setValue(view.fraction);
    metrics_->show(view.metrics);
    preview_->setVisible(!view.previewPending);
    previewPending_->setVisible(view.previewPending.has_value());
    previewPending_->setProse(qs(view.previewPending.value_or("")));
    usage_->setVisible(!view.usage.empty());
    usage_->show(view.usage);
    charts_->show(view.charts);
    reference_->setProse(qs(view.reference));
}

void GPUStation::setPreview(QImage image) { preview_->setImage(std::move(image)); }

} // namespace zantiva
