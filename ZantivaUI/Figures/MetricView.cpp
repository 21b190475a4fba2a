#include "Figures/MetricView.h"

#include <QVBoxLayout>

#include "Layout/LeadingRow.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/TextRole.h"

namespace zantiva {

MetricView::MetricView(const MetricValue& metric, QWidget* parent)
    : QWidget(parent), label_(new ProseLabel(this)), value_(new HardwareText({}, 15, QFont::Bold, color(metric.color), this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(label_);
    column->addLayout(leadingRow(value_));
    applyTextRole(*label_, TextRole::label, color(PaletteColor::text));
    // As wide as its texts: the stretch that keeps the value at the leading edge must not widen it.
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    show(metric);
}

void MetricView::show(const MetricValue& metric) {
    label_->setProse(QString::fromStdString(metric.label));
    value_->setText(QString::fromStdString(metric.value));
    setForeground(*value_, color(metric.color));
}

} // namespace zantiva
