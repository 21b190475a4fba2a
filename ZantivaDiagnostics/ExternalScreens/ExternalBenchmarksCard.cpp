#include "ExternalScreens/ExternalBenchmarksCard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Cards/CardAround.h"
#include "Cards/RetroBadge.h"
#include "Cards/RetroCard.h"
#include "Controls/RetroButton.h"
#include "Figures/ScoreRow.h"
#include "Layout/Boxes.h"
#include "Layout/ClearLayout.h"
#include "Layout/FlowLayout.h"
#include "Layout/LeadingRow.h"
#include "Layout/Rule.h"
#include "Theme/Palette.h"
#include "Typography/DirectedText.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"

namespace zantiva {

namespace {


// Vazirmatn Medium 11, wrapping onto as many lines as it needs.
ProseLabel* note(const ExternalNote& text) {
    auto* label = new ProseLabel(TextRole::label, color(text.color), qs(text.text));
    label->setFont(vazirFont(VazirWeight::medium, 11));
    setForeground(*label, withOpacity(color(text.color), text.isDim ? 0.6 : 1.0));
    label->setWordWrap(true);
    return label;
}

} // namespace

ExternalBenchmarksCard::ExternalBenchmarksCard(QWidget* parent)
    : QWidget(parent), title_(new ProseLabel(TextRole::label, color(PaletteColor::text))),
      toggle_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::chip)), body_(new QWidget),
      intro_(note({{}, PaletteColor::text, false})), sections_(plainColumn(14)),
      fullPerformance_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::pill)),
      openCsv_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::pill)) {
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(8);
    header->addWidget(title_, 0, Qt::AlignVCenter);
    header->addStretch();
    header->addWidget(toggle_, 0, Qt::AlignVCenter);

    auto* actions = new QWidget;
    auto* flow = new FlowLayout(actions, 6, 6);
    flow->addWidget(fullPerformance_);
    flow->addWidget(openCsv_);

    auto* bodyColumn = plainColumn(14);
    bodyColumn->addWidget(intro_);
    bodyColumn->addLayout(sections_);
    bodyColumn->addWidget(actions);
    body_->setLayout(bodyColumn);
    body_->hide();

    auto* content = plainColumn(14);
    content->addLayout(header);
    content->addWidget(body_);
    auto* outer = plainColumn(0);
    outer->addWidget(cardAround(content));
    setLayout(outer);

    connect(toggle_, &QAbstractButton::clicked, this, [this] {
        if (shown_) emit expandRequested(!shown_->isExpanded);
    });
    connect(fullPerformance_, &QAbstractButton::clicked, this, &ExternalBenchmarksCard::fullPerformanceRequested);
    connect(openCsv_, &QAbstractButton::clicked, this, &ExternalBenchmarksCard::openCsvRequested);
}

void ExternalBenchmarksCard::show(const ExternalCardView& view) {
    if (shown_ == view) return;
    title_->setProse(qs(view.title));
    toggle_->setText(qs(view.toggleLabel));
    toggle_->setToolTip(qs(view.toggleTip));
    intro_->setProse(qs(view.intro));
    fullPerformance_->setText(qs(view.fullPerformanceLabel));
    fullPerformance_->setEnabled(view.canRunFullPerformance);
    openCsv_->setText(qs(view.openCsvLabel));
    if (!shown_ || shown_->sections != view.sections) {
        clearLayout(*sections_);
        sectionButtons_.clear();
        for (const auto& section : view.sections) {
            sections_->addWidget(makeSection(section));
            sections_->addWidget(rule());
        }
    }
    body_->setVisible(view.isExpanded);
    shown_ = view;
}

std::optional<ExternalBenchmarksCard::Section> ExternalBenchmarksCard::section(ExternalBenchmarkApp app) const {
    if (!shown_ || !shown_->isExpanded) return std::nullopt;
    const auto found = sectionButtons_.find(app);
    if (found == sectionButtons_.end()) return std::nullopt;
    return found->second;
}

QWidget* ExternalBenchmarksCard::makeSection(const ExternalAppSectionView& view) {
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(8);
    header->addWidget(scoreTitle(view.name, 15), 0, Qt::AlignVCenter);
    if (view.badge) {
        auto* badge = new RetroBadge(qs(*view.badge), color(PaletteColor::card), color(PaletteColor::text));
        header->addWidget(badge, 0, Qt::AlignVCenter);
    }
    header->addStretch();
    auto* choose = new RetroButton(qs(view.chooseLabel), RetroButtonKind::outline, RetroButtonSize::compact);
    choose->setEnabled(view.canChoose);
    header->addWidget(choose, 0, Qt::AlignVCenter);
    const ExternalBenchmarkApp app = view.app;
    connect(choose, &QAbstractButton::clicked, this, [this, app] { emit chooseRequested(app); });

    auto* content = plainColumn(8);
    content->addLayout(header);
    if (view.path) {
        auto* path = new HardwareText(directedText(qs(*view.path), Qt::LeftToRight), 11, QFont::Medium,
                                      withOpacity(color(PaletteColor::text), 0.6));
        // One line; a path longer than the card is cut, and shown whole in the tip.
        path->setMinimumWidth(1);
        path->setToolTip(qs(*view.path));
        content->addLayout(leadingRow(path));
    }
    for (const auto& line : view.notes) content->addWidget(note(line));

    auto* runs = new QWidget;
    auto* flow = new FlowLayout(runs, 4, 4);
    Section buttons{choose, {}};
    for (const auto& run : view.buttons) {
        auto* button = new RetroButton(qs(run.label), run.isRunAll ? RetroButtonKind::outline : RetroButtonKind::secondary,
                                       RetroButtonSize::compact);
        flow->addWidget(button);
        buttons.runs.push_back(button);
        if (run.isRunAll)
            connect(button, &QAbstractButton::clicked, this, [this, app] { emit runAllRequested(app); });
        else
            connect(button, &QAbstractButton::clicked, this, [this, step = run.step] { emit stepRequested(step); });
    }
    runs->setEnabled(view.canRun);
    content->addWidget(runs);
    if (view.scores) content->addWidget(new ScoreRow(*view.scores));
    sectionButtons_[app] = buttons;

    auto* section = new QWidget;
    section->setLayout(content);
    return section;
}

} // namespace zantiva
