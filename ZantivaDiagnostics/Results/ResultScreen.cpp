#include "Results/ResultScreen.h"

#include <QHBoxLayout>

#include "Cards/CardAround.h"
#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Cards/WordBadge.h"
#include "Controls/GradeBadge.h"
#include "Controls/RetroButton.h"
#include "Figures/MetricView.h"
#include "Figures/ScoreRow.h"
#include "Layout/Boxes.h"
#include "Layout/ClearLayout.h"
#include "Layout/LeadingRow.h"
#include "Layout/MachineLine.h"
#include "Layout/PageColumn.h"
#include "Layout/Rule.h"
#include "Results/DriveHealthCard.h"
#include "Results/StorageSummaryButton.h"
#include "Theme/Metric.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

namespace {

constexpr qreal gradeBadgeSide = 96;

QLayout* metrics(const std::vector<MetricValue>& values) {
    auto* layout = plainRow(20);
    for (const auto& value : values) layout->addWidget(new MetricView(value), 0, Qt::AlignVCenter);
    layout->addStretch();
    return layout;
}

RetroCard* gradeCard(const ResultGradeView& view) {
    auto* lines = plainColumn(4);
    lines->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.overall)));
    lines->addWidget(wrappedLabel(TextRole::title, color(PaletteColor::text), qs(view.title)));
    if (view.healthScore)
        lines->addWidget(wrappedLabel(TextRole::subHeader, color(PaletteColor::text), qs(*view.healthScore)));
    lines->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.note)));
    if (view.batteryPenalty)
        lines->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::tertiary), qs(*view.batteryPenalty)));

    auto* content = plainRow(20);
    content->addWidget(new GradeBadge(view.grade, gradeBadgeSide), 0, Qt::AlignVCenter);
    content->addLayout(lines, 1);
    return cardAround(content);
}

RetroCard* problemsCard(const ResultProblemsView& view) {
    auto* content = plainColumn(10);
    content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.title)));
    content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(view.note)));
    for (const auto& problem : view.problems) {
        auto* entry = plainColumn(4);
        if (problem.title)
            entry->addLayout(leadingRow(wordBadge(qs(*problem.title), PaletteColor::primary, PaletteColor::onPrimary)));
        auto* message = wrappedLabel(TextRole::body, color(PaletteColor::text), qs(problem.message));
        message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        entry->addWidget(message);
        content->addLayout(entry);
    }
    return cardAround(content, PaletteColor::muted);
}

RetroCard* performanceCard(const ResultPerformanceView& view) {
    auto* content = plainColumn(12);
    if (const auto& cpu = view.cpu) {
        content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(cpu->label)));
        content->addLayout(machineLine(qs(cpu->score), 34, QFont::Bold));
        std::vector<MetricValue> shown{cpu->singleCore};
        if (cpu->sustained) shown.push_back(*cpu->sustained);
        content->addLayout(metrics(shown));
        content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(cpu->detail)));
        content->addWidget(wrappedLabel(TextRole::label, color(cpu->integrity.color), qs(cpu->integrity.text)));
        if (cpu->throttleNote)
            content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::tertiary), qs(*cpu->throttleNote)));
    }
    if (const auto& gpu = view.gpu) {
        if (view.cpu) content->addWidget(rule(PaletteColor::outline));
        content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(gpu->label)));
        content->addLayout(machineLine(qs(gpu->score), 34, QFont::Bold));
        content->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(gpu->detail)));
        content->addLayout(machineLine(qs(gpu->adapter), 11, QFont::Bold, 0.75));
    }
    if (const auto& memory = view.memory) {
        content->addWidget(rule(PaletteColor::outline));
        content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(memory->label)));
        content->addLayout(metrics({memory->read, memory->write}));
    }
    if (view.notRunYet) content->addWidget(wrappedLabel(TextRole::subHeader, color(PaletteColor::text), qs(*view.notRunYet)));
    return cardAround(content);
}

QLayout* checkRow(const ResultCheckRow& check) {
    auto* texts = plainColumn(1);
    texts->addWidget(wrappedLabel(TextRole::body, color(PaletteColor::text), qs(check.title)));
    if (check.detail) texts->addWidget(wrappedLabel(TextRole::label, color(PaletteColor::text), qs(*check.detail)));
    auto* layout = plainRow(0);
    layout->addLayout(texts, 1);
    layout->addSpacing(8);
    layout->addWidget(wordBadge(qs(check.score.text), check.score.background, check.score.foreground), 0, Qt::AlignVCenter);
    return layout;
}

RetroCard* checksCard(const ResultChecksView& view) {
    auto* content = plainColumn(10);
    content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.title)));
    for (const auto& check : view.rows) content->addLayout(checkRow(check));
    for (const auto& [text, role] : {std::pair{view.notRunYet, TextRole::subHeader}, {view.peripherals, TextRole::label},
                                     {view.peripheralsNote, TextRole::label}, {view.batteryNotScored, TextRole::label}})
        if (text) content->addWidget(wrappedLabel(role, color(PaletteColor::text), qs(*text)));
    return cardAround(content);
}

RetroCard* makeExternalCard(const ResultExternalView& view) {
    auto* content = plainColumn(12);
    content->addWidget(proseLabel(TextRole::label, color(PaletteColor::text), qs(view.title)));
    for (const auto& app : view.rows) {
        auto* name = new QWidget;
        name->setLayout(leadingRow(scoreTitle(app.name, 13)));
        name->setFixedWidth(150);
        auto* line = plainRow(12);
        line->addWidget(name, 0, Qt::AlignVCenter);
        line->addWidget(new ScoreRow(app.scores), 1, Qt::AlignVCenter);
        content->addLayout(line);
    }
    return cardAround(content);
}

} // namespace

ResultScreen::ResultScreen(QWidget* parent)
    : QWidget(parent), page_(scrollingPageColumn(*this)),
      back_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)),
      cards_(plainColumn(static_cast<int>(Theme::Metric::spacing))), driveHealth_(new DriveHealthCard),
      externalSlot_(plainColumn(0)) {
    page_->addLayout(leadingRow(back_));
    page_->addLayout(cards_);
    page_->addWidget(driveHealth_);
    page_->addLayout(externalSlot_);
    page_->addStretch();
    driveHealth_->hide();
    connect(back_, &QAbstractButton::clicked, this, &ResultScreen::backRequested);
}

void ResultScreen::show(const ResultScreenView& view) {
    if (shown_ == view) return;
    back_->setText(qs(view.backLabel));

    clearLayout(*cards_);
    cards_->addWidget(gradeCard(view.grade));
    if (view.problems) cards_->addWidget(problemsCard(*view.problems));
    auto* results = plainRow(static_cast<int>(Theme::Metric::spacing));
    results->addWidget(performanceCard(view.performance), 1, Qt::AlignTop);
    results->addWidget(checksCard(view.checks), 1, Qt::AlignTop);
    cards_->addLayout(results);

    driveHealth_->setVisible(view.driveHealth.has_value());
    if (view.driveHealth) driveHealth_->show(*view.driveHealth);

    if (!shown_ || shown_->storage != view.storage) {
        delete storage_;
        storage_ = nullptr;
        if (view.storage) {
            storage_ = new StorageSummaryButton(*view.storage);
            connect(storage_, &QAbstractButton::clicked, this, &ResultScreen::storageRequested);
            page_->insertWidget(page_->indexOf(driveHealth_) + 1, storage_);
        }
    }
    if (!shown_ || shown_->external != view.external) {
        delete external_;
        external_ = view.external ? makeExternalCard(*view.external) : nullptr;
        if (external_) externalSlot_->addWidget(external_);
    }
    shown_ = view;
}

} // namespace zantiva
