#pragma once

#include <QWidget>

#include "PanelPresenters/MetricValue.h"

namespace zantiva {

class HardwareText;
class ProseLabel;

// A labelled value: the label in the label role, the value as bold machine text of 15
// pixels in the value's colour.
class MetricView : public QWidget {
    Q_OBJECT

public:
    explicit MetricView(const MetricValue& metric = {}, QWidget* parent = nullptr);

    using QWidget::show;
    void show(const MetricValue& metric);

private:
    ProseLabel* label_;
    HardwareText* value_;
};

} // namespace zantiva
