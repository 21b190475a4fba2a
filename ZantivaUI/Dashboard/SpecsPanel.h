#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <optional>

#include "Presenters/SpecsPresenter.h"

class QStackedLayout;

namespace zantiva {

class LocNotifier;
class OutsideClickDismissal;
class RetroCard;
class SpecsCardView;
class SpecsStorageCard;
class TelemetryHistory;

// The dashboard's summary of the machine: processor, memory, graphics and firmware cards in a
// two-by-two grid and the storage card below, or one loading card while the specs are
// being read. The processor, memory and graphics cards whose load history is given can open a
// pop-up with its chart; at most one is open, and a click anywhere or Escape closes it. The panel
// reads what it is given (the owner keeps it alive and calls refresh() after a change).
class SpecsPanel : public QWidget {
    Q_OBJECT
public:
    using Chart = SpecsChart;

    SpecsPanel(const SystemSpecs* specs, const TelemetryHistory* cpuHistory, const TelemetryHistory* ramHistory,
               const TelemetryHistory* gpuHistory, std::optional<Chart> openChart = std::nullopt,
               QWidget* parent = nullptr);
    SpecsPanel(LocNotifier& loc, const SystemSpecs* specs, const TelemetryHistory* cpuHistory,
               const TelemetryHistory* ramHistory, const TelemetryHistory* gpuHistory,
               std::optional<Chart> openChart = std::nullopt, QWidget* parent = nullptr);
    ~SpecsPanel() override;

    void setSpecs(const SystemSpecs* specs);
    void setHistories(const TelemetryHistory* cpu, const TelemetryHistory* ram, const TelemetryHistory* gpu);
    // Shows the current specs and histories again.
    void refresh();

    std::optional<Chart> openChart() const { return openChart_; }
    void setOpenChart(std::optional<Chart> chart);

    bool isLoading() const { return specs_ == nullptr; }
    bool isWatchingClicks() const;
    RetroCard* loadingCard() const { return loading_; }
    // Processor, memory, graphics, firmware.
    SpecsCardView* card(int index) const { return cards_.at(static_cast<size_t>(index)); }
    SpecsCardView* card(Chart chart) const;
    SpecsStorageCard* storageCard() const { return storage_; }

signals:
    void openChartChanged(std::optional<zantiva::SpecsChart> chart);

private:
    void storeHistories(const TelemetryHistory* cpu, const TelemetryHistory* ram, const TelemetryHistory* gpu);

    LocNotifier& loc_;
    const SystemSpecs* specs_;
    std::map<Chart, const TelemetryHistory*> histories_;
    std::optional<Chart> openChart_;
    QStackedLayout* states_;
    RetroCard* loading_;
    QWidget* loaded_;
    std::array<SpecsCardView*, 4> cards_;
    SpecsStorageCard* storage_;
    OutsideClickDismissal* dismissal_;
};

} // namespace zantiva
