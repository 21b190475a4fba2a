#pragma once

#include <QWidget>
#include <vector>

#include "PanelPresenters/MetricValue.h"

class QHBoxLayout;

namespace zantiva {

class MetricView;

// Labelled values side by side from the leading edge, a fixed spacing apart.
class MetricRow : public QWidget {
    Q_OBJECT

public:
    MetricRow(int spacing, Qt::Alignment alignment, QWidget* parent = nullptr);

    using QWidget::show;
    void show(const std::vector<MetricValue>& metrics);

    const std::vector<MetricView*>& metrics() const { return views_; }

private:
    QHBoxLayout* row_;
    Qt::Alignment alignment_;
    std::vector<MetricView*> views_;
};

} // namespace zantiva
