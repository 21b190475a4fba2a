#include "Stations/MetricView.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/TextRole.h"

namespace zantiva {

MetricView::MetricView(const MetricValue& metric, QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), value_(new HardwareText({}, 15, QFont::Bold, color(metric.color), this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(label_);
    column->addWidget(value_);
    applyTextRole(*label_, TextRole::label, color(PaletteColor::text));
    show(metric);
}

void MetricView::show(const MetricValue& metric) {
    label_->setText(QString::fromStdString(metric.label));
    value_->setText(QString::fromStdString(metric.value));
    setForeground(*value_, color(metric.color));
}

} // namespace zantiva
