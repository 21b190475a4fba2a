#include "Figures/MetricRow.h"

#include <QHBoxLayout>

#include "Figures/MetricView.h"

namespace zantiva {

MetricRow::MetricRow(int spacing, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), row_(new QHBoxLayout(this)), alignment_(alignment) {
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(spacing);
    row_->addStretch();
}

void MetricRow::show(const std::vector<MetricValue>& metrics) {
    // The values change with every report; only a different number of them changes the row.
    while (views_.size() > metrics.size()) {
        delete views_.back();
        views_.pop_back();
    }
    while (views_.size() < metrics.size()) {
        auto* view = new MetricView;
        row_->insertWidget(static_cast<int>(views_.size()), view, 0, alignment_);
        views_.push_back(view);
    }
    for (std::size_t i = 0; i < metrics.size(); ++i) views_[i]->show(metrics[i]);
}

} // namespace zantiva
