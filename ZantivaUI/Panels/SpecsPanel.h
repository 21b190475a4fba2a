#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <optional>

#include "Model/TelemetryHistory.h"
#include "PanelPresenters/SpecsPresenter.h"

class QStackedLayout;

namespace zantiva {

class LocNotifier;
class OutsideClickDismissal;
class RetroCard;
class SpecsCardView;
class SpecsStorageCard;

// The dashboard's summary of the machine: processor, memory, graphics and firmware cards in a
// two-by-two grid and the storage card below, or one loading card while the specs are
// being read. The processor, memory and graphics cards whose load history is given can open a
// pop-up with its chart; at most one is open, and a click anywhere or Escape closes it. The panel
// shows its own copies of what it is given and retells them when the language changes.
class SpecsPanel : public QWidget {
    Q_OBJECT
public:
    using Chart = SpecsChart;
    // The load histories that can be charted; a card whose history is missing has no toggle.
    using Histories = std::map<Chart, TelemetryHistory>;

    // No specs: the loading card. openChart is the chart open from the start (once the specs are there).
    explicit SpecsPanel(LocNotifier& loc, std::optional<SystemSpecs> specs = std::nullopt, Histories histories = {},
                        std::optional<Chart> openChart = std::nullopt, QWidget* parent = nullptr);
    ~SpecsPanel() override;

    void setSpecs(std::optional<SystemSpecs> specs);
    void setHistories(Histories histories);

    std::optional<Chart> openChart() const { return openChart_; }
    void setOpenChart(std::optional<Chart> chart);

    bool isLoading() const { return !specs_; }
    bool isWatchingClicks() const;
    RetroCard* loadingCard() const { return loading_; }
    // Processor, memory, graphics, firmware.
    SpecsCardView* card(int index) const { return cards_.at(static_cast<size_t>(index)); }
    SpecsCardView* card(Chart chart) const;
    SpecsStorageCard* storageCard() const { return storage_; }

signals:
    void openChartChanged(std::optional<zantiva::SpecsChart> chart);

private:
    // The cards and the storage card from the specs, in the current language.
    void showSpecs();
    // The charts of the cards that can chart, with the latch of the open one.
    void showHistories();

    LocNotifier& loc_;
    std::optional<SystemSpecs> specs_;
    Histories histories_;
    std::optional<Chart> openChart_;
    QStackedLayout* states_;
    RetroCard* loading_;
    QWidget* loaded_;
    std::array<SpecsCardView*, 4> cards_;
    SpecsStorageCard* storage_;
    OutsideClickDismissal* dismissal_;
};

} // namespace zantiva
