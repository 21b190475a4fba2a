#include "Stations/SuiteScreen.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageScroll.h"
#include "Layout/ScrollToTop.h"
#include "Stations/StationView.h"
#include "Stations/StopConfirmation.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

void showOptional(ProseLabel& label, const std::optional<std::string>& text) {
    label.setVisible(text.has_value());
    label.setProse(qs(text.value_or("")));
}

} // namespace

SuiteScreen::SuiteScreen(QWidget* parent)
    : QWidget(parent), resumed_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
      readingDrives_(wrappedLabel(TextRole::body, color(PaletteColor::text))), stationSlot_(new QVBoxLayout),
      notice_(wrappedLabel(TextRole::body, color(PaletteColor::tertiary))),
      title_(wrappedLabel(TextRole::header, color(PaletteColor::text))), rowsColumn_(new QVBoxLayout),
      stop_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)) {
    stationSlot_->setContentsMargins(0, 0, 0, 0);
    auto* leadingColumn = new QVBoxLayout;
    leadingColumn->setSpacing(16);
    leadingColumn->addWidget(resumed_);
    leadingColumn->addWidget(readingDrives_);
    leadingColumn->addLayout(stationSlot_);
    leadingColumn->addWidget(notice_);
    leadingColumn->addStretch();

    rowsColumn_->setContentsMargins(0, 0, 0, 0);
    rowsColumn_->setSpacing(10);
    auto* list = new QVBoxLayout;
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(10);
    list->addWidget(title_);
    list->addLayout(rowsColumn_);
    list->addSpacing(6);
    list->addLayout(leadingRow(stop_));
    auto* card = new RetroCard(RetroCard::Style::standard());
    card->setContent(list);
    card->setFixedWidth(listWidth);

    auto* content = new QWidget;
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(24, 24, 24, 24);
    columns->setSpacing(16);
    columns->addLayout(leadingColumn, 1);
    columns->addWidget(card, 0, Qt::AlignTop);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pageScroll(content));

    confirmation_ = new StopConfirmation(this);
    confirmation_->hide();
    connect(stop_, &QAbstractButton::clicked, this, [this] { setConfirmingStop(true); });
    connect(confirmation_, &StopConfirmation::cancelled, this, [this] { setConfirmingStop(false); });
    connect(confirmation_, &StopConfirmation::confirmed, this, [this] {
        setConfirmingStop(false);
        emit stopConfirmed();
    });
    resumed_->hide();
    readingDrives_->hide();
    notice_->hide();
}

void SuiteScreen::show(const SuiteView& view) {
    showOptional(*resumed_, view.resumed);
    showOptional(*readingDrives_, view.readingDrives);
    showOptional(*notice_, view.notice);
    title_->setProse(qs(view.title));
    const bool samePlan = std::ranges::equal(view.rows, rows_, [](const SuiteRow& a, const Row& b) { return a.module == b.module; });
    if (!samePlan) rebuildRows(view.rows);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const SuiteRow& row = view.rows[i];
        rows_[i].title->setProse(qs(row.title));
        setForeground(*rows_[i].title, withOpacity(color(PaletteColor::text), row.isCurrent ? 1.0 : 0.75));
        rows_[i].status->setProse(qs(row.status));
        setForeground(*rows_[i].status, color(row.badgeForeground));
        rows_[i].badge->setBackground(color(row.badgeBackground));
        showOptional(*rows_[i].failure, row.failure);
    }
    stop_->setText(qs(view.stop));
    stop_->setEnabled(view.canStop);
    confirmation_->show(view.stopConfirmation);
    // A question about a run that has ended has no answer left to give.
    if (!view.canStop) setConfirmingStop(false);
}

void SuiteScreen::rebuildRows(const std::vector<SuiteRow>& rows) {
    for (const Row& row : rows_) {
        delete row.line;
        delete row.failure;
    }
    rows_.clear();
    for (const SuiteRow& row : rows) {
        auto* line = new QWidget;
        auto* title = wrappedLabel(TextRole::body, color(PaletteColor::text));
        auto* status = new ProseLabel;
        status->setFont(vazirFont(VazirWeight::bold, 12));
        auto* badge = new RetroBadge(status, color(PaletteColor::card));
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(title, 1, Qt::AlignVCenter);
        layout->addSpacing(8);
        layout->addWidget(badge, 0, Qt::AlignVCenter);
        auto* failure = wrappedLabel(TextRole::label, color(PaletteColor::primary));
        failure->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        failure->hide();
        rowsColumn_->addWidget(line);
        rowsColumn_->addWidget(failure);
        rows_.push_back({row.module, line, title, status, badge, failure});
    }
}

void SuiteScreen::setStation(QWidget* station) {
    delete station_;
    station_ = station;
    if (!station_) return;
    stationSlot_->addWidget(station_);
    // The next module's page opens at its top, not where the last one was scrolled to.
    scrollToTop(*this);
}

bool SuiteScreen::isConfirmingStop() const { return !confirmation_->isHidden(); }

ProseLabel* SuiteScreen::statusText(TestModule module) const {
    const auto row = std::ranges::find(rows_, module, &Row::module);
    return row != rows_.end() ? row->status : nullptr;
}

ProseLabel* SuiteScreen::failureText(TestModule module) const {
    const auto row = std::ranges::find(rows_, module, &Row::module);
    return row != rows_.end() && !row->failure->isHidden() ? row->failure : nullptr;
}

void SuiteScreen::setConfirmingStop(bool confirming) {
    confirmation_->setVisible(confirming);
    if (!confirming) return;
    confirmation_->setGeometry(rect());
    confirmation_->raise();
    confirmation_->setFocus();
}

void SuiteScreen::resizeEvent(QResizeEvent* event) {
    confirmation_->setGeometry(QRect(QPoint(), event->size()));
    QWidget::resizeEvent(event);
}

} // namespace zantiva
