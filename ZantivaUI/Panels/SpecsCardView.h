#pragma once

#include "Cards/RetroCard.h"
#include "PanelPresenters/SpecsPresenter.h"

class QLabel;
class QVBoxLayout;

namespace zantiva {

class FloatingOverlay;
class HardwareText;
class HistoryChart;
class ProseLabel;
class RetroToggle;
class TelemetryHistory;

// One card of the specs grid: a small title, one large machine-reported value (or the words for
// a value the machine did not report) and the detail lines. A card with a load history has an
// Activity toggle that opens, over the card from 56 pixels below its top and over whatever lies
// below it, a pop-up with the history chart.
class SpecsCardView : public RetroCard {
    Q_OBJECT
public:
    explicit SpecsCardView(QWidget* parent = nullptr);

    void setCard(const SpecsCard& card);
    // Gives the card its Activity toggle, the words around its chart and the samples to draw.
    void setChart(const SpecsChartTexts& texts, const TelemetryHistory& history);
    // No history to chart: no toggle and no pop-up.
    void clearChart();
    // Shows the pop-up (and latches the toggle) only for a card that can chart.
    void setOpen(bool open);

    RetroToggle* toggle() const { return toggle_; }
    bool isPopupShown() const;
    QWidget* popup() const;
    HistoryChart* chart() const { return chart_; }
    QLabel* title() const { return title_; }
    HardwareText* value() const { return value_; }
    // The detail lines as shown, in order.
    std::vector<SpecsDetail> shownDetails() const;

signals:
    // The user switched the Activity toggle.
    void toggleSwitched(bool on);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The value at 20 pixels, smaller down to 0.7 of that while it needs more than two lines;
    // past that it is cut at two lines.
    void fitValue();

    QLabel* title_;
    HardwareText* value_;
    bool valueIsProse_ = false; // "not reported" is set in Vazirmatn, not as machine text
    QVBoxLayout* details_;
    std::vector<SpecsDetail> shownDetails_;
    RetroToggle* toggle_;
    RetroCard* popupCard_;
    ProseLabel* popupTitle_; // "CPU LOAD — LAST 90s"
    QVBoxLayout* popupStack_;
    HistoryChart* chart_ = nullptr;
    SpecsChartTexts shownChartTexts_;
    FloatingOverlay* overlay_;
};

} // namespace zantiva
