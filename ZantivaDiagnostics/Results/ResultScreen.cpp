#include "Results/ResultScreen.h"

#include <QHBoxLayout>

#include "Cards/RetroCard.h"
#include "Controls/GradeBadge.h"
#include "Controls/RetroButton.h"
#include "Dashboard/PanelParts.h"
#include "External/ExternalScoreRow.h"
#include "Layout/Boxes.h"
#include "Results/DriveHealthCard.h"
#include "Results/ScreenParts.h"
#include "Results/StorageSummaryButton.h"
#include "Stations/MetricView.h"
#include "Theme/Metric.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {

namespace {

using namespace ScreenParts;

constexpr qreal gradeBadgeSide = 96;


QLayout* metrics(const std::vector<MetricValue>& values) {
    auto* layout = plainRow(20);
    for (const auto& value : values) layout->addWidget(new MetricView(value), 0, Qt::AlignVCenter);
    layout->addStretch();
    return layout;
}

RetroCard* gradeCard(const ResultGradeView& view) {
    auto* lines = column(4);
    lines->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.overall)));
    lines->addWidget(prose(TextRole::title, PaletteColor::text, qs(view.title), true));
    if (view.healthScore) lines->addWidget(prose(TextRole::subHeader, PaletteColor::text, qs(*view.healthScore), true));
    lines->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.note), true));
    if (view.batteryPenalty)
        lines->addWidget(prose(TextRole::label, PaletteColor::tertiary, qs(*view.batteryPenalty), true));

    auto* content = plainRow(20);
    content->addWidget(new GradeBadge(view.grade, gradeBadgeSide), 0, Qt::AlignVCenter);
    content->addLayout(lines, 1);
    return card(content);
}

RetroCard* problemsCard(const ResultProblemsView& view) {
    auto* content = column(10);
    content->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.title)));
    content->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.note), true));
    for (const auto& problem : view.problems) {
        auto* entry = column(4);
        if (problem.title)
            entry->addLayout(PanelParts::leading(badge({*problem.title, PaletteColor::primary, PaletteColor::onPrimary})));
        auto* message = prose(TextRole::body, PaletteColor::text, qs(problem.message), true);
        message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        entry->addWidget(message);
        content->addLayout(entry);
    }
    return card(content, PaletteColor::muted);
}

RetroCard* performanceCard(const ResultPerformanceView& view) {
    auto* content = column(12);
    if (const auto& cpu = view.cpu) {
        content->addWidget(prose(TextRole::label, PaletteColor::text, qs(cpu->label)));
        content->addLayout(machine(qs(cpu->score), 34, QFont::Bold));
        std::vector<MetricValue> shown{cpu->singleCore};
        if (cpu->sustained) shown.push_back(*cpu->sustained);
        content->addLayout(metrics(shown));
        content->addWidget(prose(TextRole::label, PaletteColor::text, qs(cpu->detail), true));
        content->addWidget(prose(TextRole::label, cpu->integrity.color, qs(cpu->integrity.text), true));
        if (cpu->throttleNote) content->addWidget(prose(TextRole::label, PaletteColor::tertiary, qs(*cpu->throttleNote), true));
    }
    if (const auto& gpu = view.gpu) {
        if (view.cpu) content->addWidget(divider());
        content->addWidget(prose(TextRole::label, PaletteColor::text, qs(gpu->label)));
        content->addLayout(machine(qs(gpu->score), 34, QFont::Bold));
        content->addWidget(prose(TextRole::label, PaletteColor::text, qs(gpu->detail), true));
        content->addLayout(machine(qs(gpu->adapter), 11, QFont::Bold, 0.75));
    }
    if (const auto& memory = view.memory) {
        content->addWidget(divider());
        content->addWidget(prose(TextRole::label, PaletteColor::text, qs(memory->label)));
        content->addLayout(metrics({memory->read, memory->write}));
    }
    if (view.notRunYet) content->addWidget(prose(TextRole::subHeader, PaletteColor::text, qs(*view.notRunYet), true));
    return card(content);
}

QLayout* checkRow(const ResultCheckRow& check) {
    auto* texts = column(1);
    texts->addWidget(prose(TextRole::body, PaletteColor::text, qs(check.title), true));
    if (check.detail) texts->addWidget(prose(TextRole::label, PaletteColor::text, qs(*check.detail), true));
    auto* layout = plainRow(0);
    layout->addLayout(texts, 1);
    layout->addSpacing(8);
    layout->addWidget(badge(check.score), 0, Qt::AlignVCenter);
    return layout;
}

RetroCard* checksCard(const ResultChecksView& view) {
    auto* content = column(10);
    content->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.title)));
    for (const auto& check : view.rows) content->addLayout(checkRow(check));
    for (const auto& [text, role] : {std::pair{view.notRunYet, TextRole::subHeader}, {view.peripherals, TextRole::label},
                                     {view.peripheralsNote, TextRole::label}, {view.batteryNotScored, TextRole::label}})
        if (text) content->addWidget(prose(role, PaletteColor::text, qs(*text), true));
    return card(content);
}

RetroCard* makeExternalCard(const ResultExternalView& view) {
    auto* content = column(12);
    content->addWidget(prose(TextRole::label, PaletteColor::text, qs(view.title)));
    for (const auto& app : view.rows) {
        auto* name = new QWidget;
        name->setLayout(PanelParts::leading(externalName(app.name, 13)));
        name->setFixedWidth(150);
        auto* line = plainRow(12);
        line->addWidget(name, 0, Qt::AlignVCenter);
        line->addWidget(new ExternalScoreRow(app.scores), 1, Qt::AlignVCenter);
        content->addLayout(line);
    }
    return card(content);
}

} // namespace

ResultScreen::ResultScreen(QWidget* parent)
    : QWidget(parent), page_(page(*this)), back_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)),
      cards_(column(static_cast<int>(Theme::Metric::spacing))), driveHealth_(new DriveHealthCard),
      externalSlot_(column(0)) {
    page_->addLayout(PanelParts::leading(back_));
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

    PanelParts::clear(*cards_);
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
