#include "Panels/SpecsPanel.h"

#include <QGridLayout>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "Cards/RetroCard.h"
#include "Charts/HistoryChart.h"
#include "Panels/SpecsCardView.h"
#include "Panels/SpecsStorageCard.h"
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

SpecsPanel::SpecsPanel(LocNotifier& loc, std::optional<SystemSpecs> specs, Histories histories,
                       std::optional<Chart> openChart, QWidget* parent)
    : QWidget(parent), loc_(loc), specs_(std::move(specs)), histories_(std::move(histories)), openChart_(openChart),
      states_(new QStackedLayout(this)), loading_(makeLoadingCard(loc)), loaded_(new QWidget),
      storage_(new SpecsStorageCard) {
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
    loc_.bind(this, [this] { showSpecs(); });
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

void SpecsPanel::setSpecs(std::optional<SystemSpecs> specs) {
    specs_ = std::move(specs);
    showSpecs();
}

void SpecsPanel::setHistories(Histories histories) {
    // The feed announces each of its histories after it has moved them all: the later calls of a
    // sample bring nothing new.
    if (histories == histories_) return;
    histories_ = std::move(histories);
    showHistories();
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

void SpecsPanel::showSpecs() {
    states_->setCurrentWidget(specs_ ? loaded_ : loading_);
    if (specs_) {
        const Loc& loc = loc_.loc();
        const auto cards = SpecsPresenter::cards(*specs_, loc);
        for (size_t i = 0; i < cards.size(); ++i) cards_[i]->setCard(cards[i]);
        storage_->setDrives(loc["Dashboard.Storage"], SpecsPresenter::drives(*specs_, loc), loc["Dashboard.External"],
                            loc["Dashboard.NotReported"]);
    }
    showHistories();
}

void SpecsPanel::showHistories() {
    for (const Chart chart : {Chart::cpu, Chart::memory, Chart::gpu}) {
        const auto history = histories_.find(chart);
        if (history == histories_.end())
            card(chart)->clearChart();
        else
            card(chart)->setChart(SpecsPresenter::chartTexts(chart, loc_.loc()), history->second);
    }
    setOpenChart(openChart_);
}

} // namespace zantiva
