#include "Dashboard/SpecsPanel.h"

#include <QGridLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Charts/HistoryChart.h"
#include "Dashboard/SpecsCardView.h"
#include "Dashboard/SpecsStorageCard.h"
#include "Layout/OutsideClickDismissal.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/LocText.h"
#include "Theme/Palette.h"

namespace zantiva {

namespace {

constexpr int spacing = 14;
constexpr int loadingHeight = 120;

RetroCard* makeLoadingCard(LocNotifier& loc) {
    auto* card = new RetroCard(RetroCard::Style::standard());
    auto* message = new LocText(loc, "Main.LoadingSpecs", TextRole::subHeader, color(PaletteColor::text));
    message->setAlignment(Qt::AlignCenter);
    message->setMinimumHeight(loadingHeight);
    card->setContent(message);
    return card;
}

} // namespace

SpecsPanel::SpecsPanel(const SystemSpecs* specs, const TelemetryHistory* cpuHistory,
                       const TelemetryHistory* ramHistory, const TelemetryHistory* gpuHistory,
                       std::optional<Chart> openChart, QWidget* parent)
    : SpecsPanel(LocNotifier::shared(), specs, cpuHistory, ramHistory, gpuHistory, openChart, parent) {}

SpecsPanel::SpecsPanel(LocNotifier& loc, const SystemSpecs* specs, const TelemetryHistory* cpuHistory,
                       const TelemetryHistory* ramHistory, const TelemetryHistory* gpuHistory,
                       std::optional<Chart> openChart, QWidget* parent)
    : QWidget(parent), loc_(loc), specs_(specs), openChart_(openChart), states_(new QStackedLayout(this)),
      loading_(makeLoadingCard(loc)), loaded_(new QWidget), storage_(new SpecsStorageCard) {
    storeHistories(cpuHistory, ramHistory, gpuHistory);

    auto* grid = new QGridLayout;
    grid->setSpacing(spacing);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        cards_[static_cast<size_t>(i)] = new SpecsCardView;
        grid->addWidget(cards_[static_cast<size_t>(i)], i / 2, i % 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    for (const Chart chart : {Chart::cpu, Chart::memory, Chart::gpu})
        connect(card(chart), &SpecsCardView::toggleSwitched, this,
                [this, chart](bool on) { setOpenChart(on ? std::optional(chart) : std::nullopt); });

    auto* column = new QVBoxLayout(loaded_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addLayout(grid);
    column->addWidget(storage_);
    column->addStretch();

    states_->addWidget(loading_);
    states_->addWidget(loaded_);
    dismissal_ = new OutsideClickDismissal(this, [this] { setOpenChart(std::nullopt); });
    loc_.bind(this, [this] { refresh(); });
}

SpecsPanel::~SpecsPanel() = default;

SpecsCardView* SpecsPanel::card(Chart chart) const {
    switch (chart) {
    case Chart::cpu: return cards_[0];
    case Chart::memory: return cards_[1];
    case Chart::gpu: break;
    }
    return cards_[2];
}

void SpecsPanel::setSpecs(const SystemSpecs* specs) {
    specs_ = specs;
    refresh();
}

void SpecsPanel::storeHistories(const TelemetryHistory* cpu, const TelemetryHistory* ram, const TelemetryHistory* gpu) {
    histories_.clear();
    for (const auto& [chart, history] : {std::pair{Chart::cpu, cpu}, {Chart::memory, ram}, {Chart::gpu, gpu}})
        if (history) histories_[chart] = history;
}

void SpecsPanel::setHistories(const TelemetryHistory* cpu, const TelemetryHistory* ram, const TelemetryHistory* gpu) {
    storeHistories(cpu, ram, gpu);
    refresh();
}

bool SpecsPanel::isWatchingClicks() const { return dismissal_->isWatching(); }

void SpecsPanel::setOpenChart(std::optional<Chart> chart) {
    const bool changed = chart != openChart_;
    openChart_ = chart;
    for (const Chart each : {Chart::cpu, Chart::memory, Chart::gpu})
        card(each)->setOpen(specs_ && openChart_ == each && histories_.contains(each));
    dismissal_->setPresented(specs_ && openChart_.has_value());
    if (changed) emit openChartChanged(openChart_);
}

void SpecsPanel::refresh() {
    states_->setCurrentWidget(specs_ ? loaded_ : loading_);
    if (specs_) {
        const Loc& loc = loc_.loc();
        const auto cards = SpecsPresenter::cards(*specs_, loc);
        for (size_t i = 0; i < cards.size(); ++i) {
            const auto& shown = cards[i];
            const TelemetryHistory* history = nullptr;
            if (shown.chart && histories_.contains(*shown.chart)) history = histories_.at(*shown.chart);
            if (history) {
                const SpecsChartTexts texts = SpecsPresenter::chartTexts(*shown.chart, loc);
                cards_[i]->setCard(shown, history, &texts);
            } else {
                cards_[i]->setCard(shown, nullptr, nullptr);
            }
        }
        storage_->setDrives(loc["Dashboard.Storage"], SpecsPresenter::drives(*specs_), loc["Dashboard.External"],
                            loc["Telemetry.NotReported"]);
    }
    setOpenChart(openChart_);
}

} // namespace zantiva
