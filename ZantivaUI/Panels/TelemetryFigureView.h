#pragma once

#include <QWidget>
#include <optional>

#include "PanelPresenters/TelemetryPresenter.h"

class QLabel;

namespace zantiva {

// One big reading of the telemetry panel: the value in Vazirmatn-Black 24 (left to right in both
// languages, selectable), or the faint em dash with the "not reported" tooltip; a small caption
// under it when there is one.
class TelemetryFigureView : public QWidget {
    Q_OBJECT
public:
    explicit TelemetryFigureView(QWidget* parent = nullptr);

    void setFigure(const TelemetryFigure& figure);
    QLabel* value() const { return value_; }
    QLabel* caption() const { return caption_; }

private:
    void showValue(const QString& text);

    QLabel* value_;
    QLabel* caption_;
    std::optional<TelemetryFigure> shown_;
    qreal fittedAdvance_ = -1; // of the text the value's size was last fitted to
};

} // namespace zantiva
