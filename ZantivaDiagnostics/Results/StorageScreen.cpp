#include "Results/StorageScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "Cards/CardAround.h"
#include "Cards/RetroCard.h"
#include "Cards/RetroProgressBar.h"
#include "Controls/RetroButton.h"
#include "Figures/MetricView.h"
#include "Layout/Boxes.h"
#include "Layout/LeadingRow.h"
#include "Layout/MachineLine.h"
#include "Layout/PageColumn.h"
#include "Results/DriveHealthCard.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/MachineFigure.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

namespace {

RetroCard* makeResultsCard(const StorageResultsView& view) {
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(22);
    grid->setVerticalSpacing(8);
    for (int c = 0; c < static_cast<int>(view.columns.size()); ++c)
        grid->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.columns[static_cast<size_t>(c)])), 0, c + 1,
                        Qt::AlignLeft | Qt::AlignVCenter);
    int row = 1;
    for (const auto& line : view.rows) {
        grid->addWidget(proseLabel(TextRole::body, color(PaletteColor::text), qs(line.title)), row, 0,
                        Qt::AlignLeft | Qt::AlignVCenter);
        // Figures are left to right widgets, which Qt would align by their own direction: each
        // stands at its column's leading edge, under its heading, in either language.
        grid->addLayout(leadingRow(machineFigure(qs(line.mbps), 15, QFont::Bold)), row, 1, Qt::AlignVCenter);
        grid->addLayout(leadingRow(machineFigure(qs(line.mibps), 13, QFont::Bold, 0.8)), row, 2, Qt::AlignVCenter);
        grid->addLayout(leadingRow(machineFigure(qs(line.iops), 13, QFont::Bold, 0.8)), row, 3, Qt::AlignVCenter);
        grid->addLayout(leadingRow(machineFigure(qs(line.latencyMs), 13, QFont::Bold, 0.8)), row, 4, Qt::AlignVCenter);
        ++row;
    }
    grid->setColumnStretch(5, 1); // the grid keeps to the leading edge

    auto* target = new QHBoxLayout;
    target->setContentsMargins(0, 0, 0, 0);
    target->setSpacing(8);
    target->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.targetLabel)));
    target->addLayout(machineLine(qs(view.targetFolder), 11, QFont::Bold, 0.75), 1);

    auto* content = plainColumn(14);
    content->addWidget(wrappedLabel(TextRole::header, color(PaletteColor::text), qs(view.title)));
    content->addLayout(grid);
    content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.queueDepthOneNote)));
    content->addLayout(target);
    content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.method)));
    return cardAround(content);
}

} // namespace

StorageScreen::StorageScreen(QWidget* parent)
    : QWidget(parent), page_(scrollingPageColumn(*this)),
      back_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)),
      liveTitle_(wrappedLabel(TextRole::header, color(PaletteColor::text))),
      phase_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      bar_(new RetroProgressBar(0, color(PaletteColor::secondary))), throughput_(new MetricView),
      stop_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)),
      errorTitle_(wrappedLabel(TextRole::header, color(PaletteColor::primary))),
      errorMessage_(wrappedLabel(TextRole::body, color(PaletteColor::text))), driveHealth_(new DriveHealthCard) {
    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(back_);
    top->addStretch();

    auto* metricRow = new QHBoxLayout;
    metricRow->setContentsMargins(0, 0, 0, 0);
    metricRow->addWidget(throughput_);
    metricRow->addStretch();
    metricRow->addWidget(stop_);
    auto* liveColumn = plainColumn(12);
    liveColumn->addWidget(liveTitle_);
    liveColumn->addWidget(phase_);
    liveColumn->addWidget(bar_);
    liveColumn->addLayout(metricRow);
    live_ = cardAround(liveColumn);

    auto* errorColumn = plainColumn(8);
    errorColumn->addWidget(errorTitle_);
    errorColumn->addWidget(errorMessage_);
    error_ = cardAround(errorColumn);

    page_->addLayout(top);
    page_->addWidget(live_);
    page_->addWidget(error_);
    page_->addWidget(driveHealth_);
    page_->addStretch();
    live_->hide();
    error_->hide();
    driveHealth_->hide();

    connect(back_, &QAbstractButton::clicked, this, &StorageScreen::backRequested);
    connect(stop_, &QAbstractButton::clicked, this, &StorageScreen::stopRequested);
}

void StorageScreen::show(const StorageScreenView& view) {
    if (shown_ == view) return;
    back_->setText(qs(view.backLabel));
    back_->setEnabled(view.canGoBack);

    live_->setVisible(view.live.has_value());
    if (const auto& live = view.live) {
        liveTitle_->setProse(qs(live->title));
        phase_->setProse(qs(live->phase));
        bar_->setValue(live->fraction);
        throughput_->show(live->throughput);
        stop_->setText(qs(live->stopLabel));
    }
    error_->setVisible(view.error.has_value());
    if (const auto& error = view.error) {
        errorTitle_->setProse(qs(error->title));
        errorMessage_->setProse(qs(error->message));
    }
    if (!shown_ || shown_->results != view.results) showResults(view.results);
    driveHealth_->setVisible(view.driveHealth.has_value());
    if (view.driveHealth) driveHealth_->show(*view.driveHealth);
    shown_ = view;
}

void StorageScreen::showResults(const std::optional<StorageResultsView>& view) {
    delete results_;
    results_ = nullptr;
    if (!view) return;
    results_ = makeResultsCard(*view);
    page_->insertWidget(page_->indexOf(driveHealth_), results_);
}

} // namespace zantiva
