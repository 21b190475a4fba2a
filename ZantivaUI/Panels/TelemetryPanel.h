#pragma once

#include <QWidget>

#include "PanelPresenters/TelemetryPresenter.h"

class QLabel;

namespace zantiva {

class LocNotifier;
class ProseLabel;
class RetroBadge;
class TelemetryFigureView;

// The live sensor card: CPU and GPU temperature and load, memory load with the amount used and
// the pressure, system power, the fastest fan, the thermal state, and a closing notice when the
// sensors can't be read. It shows its own copy of the newest snapshot it was given and retells it
// in the new language when the language changes.
class TelemetryPanel : public QWidget {
    Q_OBJECT
public:
    explicit TelemetryPanel(LocNotifier& loc, SensorSnapshot snapshot = {}, QWidget* parent = nullptr);

    void setSnapshot(SensorSnapshot snapshot);

    // The colour of a temperature read-out, also for the station pages.
    static const QColor& temperatureColor(std::optional<double> celsius);

    // The parts, for whoever needs to point at them.
    TelemetryFigureView* cpuTemperature() const { return cpuTemperature_; }
    TelemetryFigureView* cpuLoad() const { return cpuLoad_; }
    TelemetryFigureView* gpuTemperature() const { return gpuTemperature_; }
    TelemetryFigureView* gpuLoad() const { return gpuLoad_; }
    TelemetryFigureView* memoryLoad() const { return memoryLoad_; }
    TelemetryFigureView* power() const { return power_; }
    TelemetryFigureView* fan() const { return fan_; }
    ProseLabel* memoryFootnote() const { return memoryFootnote_; }
    QLabel* thermalText() const { return thermalText_; }
    RetroBadge* thermalBadge() const { return thermalBadge_; }
    ProseLabel* noSensorsNotice() const { return noSensors_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void fitHeight();

    LocNotifier& loc_;
    SensorSnapshot snapshot_;
    std::optional<TelemetryView> shown_;
    QLabel* title_;
    TelemetryFigureView* cpuTemperature_;
    TelemetryFigureView* cpuLoad_;
    TelemetryFigureView* gpuTemperature_;
    TelemetryFigureView* gpuLoad_;
    QLabel* memoryTitle_;
    TelemetryFigureView* memoryLoad_;
    ProseLabel* memoryFootnote_; // prose with figures: "12.5 of 31 GB used"
    QLabel* powerTitle_;
    TelemetryFigureView* power_;
    QLabel* fanTitle_;
    TelemetryFigureView* fan_;
    QLabel* thermalTitle_;
    QLabel* thermalText_;
    RetroBadge* thermalBadge_;
    ProseLabel* noSensors_;
};

} // namespace zantiva
