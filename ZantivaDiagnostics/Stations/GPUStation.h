#pragma once

#include <QImage>
#include <QWidget>

#include "Presenters/GpuStationPresenter.h"


namespace zantiva {

class GpuPreviewFrame;
class HardwareText;
class LiveUsageCharts;
class MetricRow;
class ProseLabel;
class RetroProgressBar;

// The GPU render test's page: what it renders, the device under test, the stage, the bar,
// the live values beside the latest preview, the trace's readings and charts, the reference.
class GPUStation : public QWidget {
    Q_OBJECT

public:
    explicit GPUStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const GpuStationView& view);
    // The latest preview; the view decides whether it is shown.
    void setPreview(QImage image);

    ProseLabel* subtitle() const { return subtitle_; }
    QWidget* adapter() const { return adapter_; }
    HardwareText* adapterName() const { return adapterName_; }
    ProseLabel* stage() const { return stage_; }
    RetroProgressBar* bar() const { return bar_; }
    MetricRow* metrics() const { return metrics_; }
    GpuPreviewFrame* preview() const { return preview_; }
    ProseLabel* previewPending() const { return previewPending_; }
    MetricRow* usage() const { return usage_; }
    LiveUsageCharts* charts() const { return charts_; }
    ProseLabel* reference() const { return reference_; }

private:
    ProseLabel* subtitle_;
    QWidget* adapter_;
    ProseLabel* adapterLabel_;
    HardwareText* adapterName_;
    ProseLabel* stage_;
    RetroProgressBar* bar_;
    MetricRow* metrics_;
    GpuPreviewFrame* preview_;
    ProseLabel* previewPending_;
    MetricRow* usage_;
    LiveUsageCharts* charts_;
    ProseLabel* reference_;
};

} // namespace zantiva
