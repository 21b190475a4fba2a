#pragma once

#include <QWidget>
#include <vector>

#include "Presenters/LiveUsagePresenter.h"

class QVBoxLayout;

namespace zantiva {

class HardwareText;
class HistoryChart;
class ProseLabel;

// The live load, temperature and power charts of the CPU and GPU pages on a muted, outlined
// panel: the title, then each chart's label and scale over its 60-pixel sparkline.
class LiveUsageCharts : public QWidget {
    Q_OBJECT

public:
    explicit LiveUsageCharts(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const LiveUsageView& view);

    ProseLabel* title() const { return title_; }
    std::vector<HistoryChart*> charts() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Chart {
        QWidget* box;
        ProseLabel* label;
        HardwareText* scale;
        HistoryChart* chart;
    };

    void rebuild(const std::vector<UsageChart>& charts);

    ProseLabel* title_;
    QVBoxLayout* column_;
    std::vector<Chart> charts_;
    std::vector<UsageChart> shape_; // what the charts were built for, values aside
};

} // namespace zantiva
