#include "Stations/LiveUsageCharts.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "Charts/HistoryChart.h"
#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr qreal chartHeight = 60;
constexpr qreal panelRadius = Theme::Metric::controlRadius;

// Two charts are drawn alike when they differ only in their samples and texts.
bool sameShape(const UsageChart& a, const UsageChart& b) {
    return a.capacity == b.capacity && a.tint == b.tint && a.maximum == b.maximum;
}

} // namespace

LiveUsageCharts::LiveUsageCharts(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
      column_(new QVBoxLayout(this)) {
    column_->setContentsMargins(16, 16, 16, 16);
    column_->setSpacing(10);
    column_->addWidget(title_);
}

std::vector<HistoryChart*> LiveUsageCharts::charts() const {
    std::vector<HistoryChart*> out;
    for (const Chart& chart : charts_) out.push_back(chart.chart);
    return out;
}

void LiveUsageCharts::show(const LiveUsageView& view) {
    title_->setProse(qs(view.title));
    // A chart's scale is fixed when it is made: a new ceiling (or a new reading) makes new charts.
    if (!std::ranges::equal(view.charts, shape_, sameShape)) rebuild(view.charts);
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        charts_[i].label->setProse(qs(view.charts[i].label));
        charts_[i].scale->setText(qs(view.charts[i].scale));
        charts_[i].chart->setValues(view.charts[i].values);
    }
}

void LiveUsageCharts::rebuild(const std::vector<UsageChart>& charts) {
    for (const Chart& chart : charts_) delete chart.box;
    charts_.clear();
    for (const UsageChart& chart : charts) {
        auto* box = new QWidget;
        auto* label = new ProseLabel;
        label->setFont(vazirFont(VazirWeight::medium, 11));
        setForeground(*label, withOpacity(color(PaletteColor::text), 0.6));
        auto* scale = new HardwareText({}, 10, QFont::Bold, withOpacity(color(PaletteColor::text), 0.5));
        auto* history = new HistoryChart(chart.capacity, color(chart.tint), chartHeight, chart.maximum);

        auto* heading = new QHBoxLayout;
        heading->setContentsMargins(0, 0, 0, 0);
        heading->addWidget(label, 0, Qt::AlignVCenter);
        heading->addSpacing(8);
        heading->addStretch();
        heading->addWidget(scale, 0, Qt::AlignVCenter);
        auto* stack = new QVBoxLayout(box);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(2);
        stack->addLayout(heading);
        stack->addWidget(history);
        column_->addWidget(box);
        charts_.push_back({box, label, scale, history});
    }
    shape_ = charts;
}

void LiveUsageCharts::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintOutlinedShape(painter, rect(), panelRadius, color(PaletteColor::muted), color(PaletteColor::outline));
}

} // namespace zantiva
