#pragma once

#include <QWidget>

#include "Presenters/BatteryStationPresenter.h"


namespace zantiva {

class MetricRow;
class ProseLabel;

// The battery check's page: what it is doing (or that there is no battery), the measured
// values, and the capacities (or that nothing is scored).
class BatteryStation : public QWidget {
    Q_OBJECT

public:
    explicit BatteryStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const BatteryStationView& view);

    ProseLabel* headline() const { return headline_; }
    MetricRow* metrics() const { return metrics_; }
    ProseLabel* footnote() const { return footnote_; }

private:
    ProseLabel* headline_;
    MetricRow* metrics_;
    ProseLabel* footnote_;
};

} // namespace zantiva
