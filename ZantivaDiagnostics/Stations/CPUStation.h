#pragma once

#include <QWidget>

#include "Presenters/CpuStationPresenter.h"


namespace zantiva {

class LiveUsageCharts;
class MetricRow;
class ProseLabel;
class RetroProgressBar;

// The CPU benchmark's page: the stage, the run's bar, the live values, the throttle warning,
// the live charts and the reference machine.
class CPUStation : public QWidget {
    Q_OBJECT

public:
    explicit CPUStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const CpuStationView& view);

    ProseLabel* phase() const { return phase_; }
    RetroProgressBar* bar() const { return bar_; }
    MetricRow* metrics() const { return metrics_; }
    ProseLabel* throttle() const { return throttle_; }
    LiveUsageCharts* charts() const { return charts_; }
    ProseLabel* reference() const { return reference_; }

private:
    ProseLabel* phase_;
    RetroProgressBar* bar_;
    MetricRow* metrics_;
    ProseLabel* throttle_;
    LiveUsageCharts* charts_;
    ProseLabel* reference_;
};

} // namespace zantiva
