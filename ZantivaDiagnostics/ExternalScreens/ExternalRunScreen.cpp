#include "ExternalScreens/ExternalRunScreen.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Cards/CardAround.h"
#include "Cards/RetroActivityBar.h"
#include "Cards/RetroCard.h"
#include "Cards/RetroProgressBar.h"
#include "Charts/HistoryChart.h"
#include "Controls/RetroButton.h"
#include "ExternalScreens/ConsoleView.h"
#include "Figures/ScoreRow.h"
#include "Layout/BandLayout.h"
#include "Layout/Boxes.h"
#include "Layout/ClearLayout.h"
#include "Layout/FlowLayout.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageScroll.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/MachineFigure.h"
#include "Typography/MachineTextLabel.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {

namespace {

constexpr int chartHeight = 60;
constexpr double loadMaximum = 100;


// Text-coloured prose at the opacity, wrapping.
ProseLabel* prose(TextRole role, double opacity = 1) {
    return wrappedLabel(role, withOpacity(color(PaletteColor::text), opacity));
}

// Vazirmatn Medium 11 at 60 %, wrapping.
ProseLabel* smallNote() {
    auto* label = prose(TextRole::label);
    label->setFont(vazirFont(VazirWeight::medium, 11));
    setForeground(*label, withOpacity(color(PaletteColor::text), 0.6));
    return label;
}

void showText(ProseLabel& label, const std::optional<std::string>& text) {
    label.setVisible(text.has_value());
    if (text) label.setProse(qs(*text));
}

} // namespace

ExternalRunScreen::ExternalRunScreen(QWidget* parent)
    : QWidget(parent), running_(new QWidget), runningTitle_(proseLabel(TextRole::title, color(PaletteColor::text))),
      stop_(new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::pill)),
      counter_(prose(TextRole::body, 0.6)), step_(new QWidget), stepLabel_(prose(TextRole::subHeader)),
      progress_(new RetroProgressBar(0, color(PaletteColor::primary))),
      activity_(new RetroActivityBar(color(PaletteColor::primary))), elapsed_(new MachineTextLabel(hardwareFont(12, QFont::Bold))),
      noProgress_(smallNote()), rest_(new QWidget), restTitle_(prose(TextRole::subHeader)),
      remaining_(machineFigure({}, 34, QFont::Black)),
      skip_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact)), status_(prose(TextRole::body, 0.7)),
      cpu_(makeLoadCard()), gpu_(makeLoadCard()), finished_(new QWidget), finishedContent_(plainColumn(20)),
      consoleTitle_(proseLabel(TextRole::label, color(PaletteColor::text))),
      consoleToggle_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::chip)), console_(new ConsoleView),
      finishedButtons_(new QWidget), back_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)),
      openCsv_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::regular)) {
    layOutRunning();
    layOutPage();

    running_->hide();
    finished_->hide();
    consoleCard_->hide();
    finishedButtons_->hide();

    connect(stop_, &QAbstractButton::clicked, this, &ExternalRunScreen::stopRequested);
    connect(skip_, &QAbstractButton::clicked, this, &ExternalRunScreen::skipCooldownRequested);
    connect(back_, &QAbstractButton::clicked, this, &ExternalRunScreen::backRequested);
    connect(openCsv_, &QAbstractButton::clicked, this, &ExternalRunScreen::openCsvRequested);
    connect(consoleToggle_, &QAbstractButton::clicked, this, [this] {
        showsConsole_ = !showsConsole_;
        showConsole();
    });
}

void ExternalRunScreen::layOutRunning() {
    // Running: the header, the status card, the load cards.
    auto* header = plainRow(12);
    header->addWidget(runningTitle_, 0, Qt::AlignVCenter);
    header->addStretch();
    header->addWidget(stop_, 0, Qt::AlignVCenter);
    auto* heading = plainColumn(4);
    heading->addLayout(header);
    heading->addWidget(counter_);

    auto* stepColumn = plainColumn(10);
    stepColumn->addWidget(stepLabel_);
    stepColumn->addWidget(progress_);
    stepColumn->addWidget(activity_);
    // A sentence of the language around the clock: only the clock in machine lettering.
    elapsed_->setFont(vazirFont(VazirWeight::bold, 12));
    setForeground(*elapsed_, withOpacity(color(PaletteColor::text), 0.8));
    stepColumn->addWidget(elapsed_);
    stepColumn->addWidget(noProgress_);
    step_->setLayout(stepColumn);

    auto* clockRow = plainRow(16);
    clockRow->addWidget(remaining_, 0, Qt::AlignVCenter);
    clockRow->addWidget(skip_, 0, Qt::AlignVCenter);
    clockRow->addStretch();
    auto* restColumn = plainColumn(10);
    restColumn->addWidget(restTitle_);
    restColumn->addLayout(clockRow);
    rest_->setLayout(restColumn);

    // At most two lines: a tool's long line is cut rather than push the cards down.
    status_->setMaximumHeight(2 * status_->fontMetrics().lineSpacing());
    auto* statusColumn = plainColumn(10);
    statusColumn->addWidget(step_);
    statusColumn->addWidget(rest_);
    statusColumn->addWidget(status_);

    auto* loads = plainRow(14);
    loads->addWidget(cpu_.card, 1, Qt::AlignTop);
    loads->addWidget(gpu_.card, 1, Qt::AlignTop);

    auto* runningColumn = plainColumn(20);
    runningColumn->addLayout(heading);
    runningColumn->addWidget(cardAround(statusColumn));
    runningColumn->addLayout(loads);
    running_->setLayout(runningColumn);
}

void ExternalRunScreen::layOutPage() {
    finished_->setLayout(finishedContent_);

    auto* consoleHeader = plainRow(8);
    consoleHeader->addWidget(consoleTitle_, 0, Qt::AlignVCenter);
    consoleHeader->addStretch();
    consoleHeader->addWidget(consoleToggle_, 0, Qt::AlignVCenter);
    auto* consoleColumn = plainColumn(10);
    consoleColumn->addLayout(consoleHeader);
    consoleColumn->addWidget(console_);
    consoleCard_ = cardAround(consoleColumn, PaletteColor::card, 16);

    auto* buttons = new FlowLayout(finishedButtons_, 6, 6);
    buttons->addWidget(back_);
    buttons->addWidget(openCsv_);

    auto* content = new QWidget;
    content->setMinimumWidth(minimumBand);
    auto* stack = plainColumn(20);
    stack->addWidget(running_);
    stack->addWidget(finished_);
    stack->addWidget(consoleCard_);
    stack->addWidget(finishedButtons_);
    stack->addStretch();
    content->setLayout(stack);

    auto* page = new QWidget;
    auto* band = new BandLayout(page, maximumBand, 28);
    band->setContent(content);
    QScrollArea* scroll = pageScroll(page);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
}

ExternalRunScreen::LoadCard ExternalRunScreen::makeLoadCard() {
    LoadCard load{nullptr,
                  proseLabel(TextRole::label, color(PaletteColor::text)),
                  machineFigure({}, 12, QFont::Bold, 0.8),
                  machineFigure({}, 16, QFont::Bold),
                  smallNote(),
                  plainColumn(0)};
    auto* top = plainRow(8);
    top->addWidget(load.title, 0, Qt::AlignBaseline);
    top->addStretch();
    top->addWidget(load.temperature, 0, Qt::AlignBaseline);
    top->addWidget(load.load, 0, Qt::AlignBaseline);
    auto* content = plainColumn(4);
    content->addLayout(top);
    content->addWidget(load.caption);
    content->addLayout(load.chartSlot);
    load.card = cardAround(content, PaletteColor::card, 16);
    return load;
}

void ExternalRunScreen::showLoad(LoadCard& card, const ExternalLoadView& view) {
    card.title->setProse(qs(view.title));
    card.temperature->setVisible(view.temperature.has_value());
    card.temperature->setText(qs(view.temperature.value_or("")));
    card.load->setText(qs(view.load));
    card.caption->setProse(qs(view.caption));
    if (!card.chart || card.chart->capacity() != view.capacity) {
        delete card.chart;
        card.chart = new HistoryChart(view.capacity, color(PaletteColor::primary), chartHeight, loadMaximum);
        card.chartSlot->addWidget(card.chart);
    }
    card.chart->setValues(view.history);
}

void ExternalRunScreen::show(const ExternalRunView& view) {
    if (shown_ == view) return;
    const auto* running = std::get_if<ExternalRunningView>(&view.section);
    running_->setVisible(running);
    finished_->setVisible(!running);
    finishedButtons_->setVisible(!running);
    if (running) {
        showRunning(*running);
    } else {
        const auto& finished = std::get<ExternalFinishedView>(view.section);
        const auto* before = shown_ ? std::get_if<ExternalFinishedView>(&shown_->section) : nullptr;
        if (!before || *before != finished) showFinished(finished);
    }
    shown_ = view;
    showConsole();
}

void ExternalRunScreen::showRunning(const ExternalRunningView& view) {
    runningTitle_->setProse(qs(view.title));
    stop_->setText(qs(view.stopLabel));
    showText(*counter_, view.stepCounter);
    const auto* step = std::get_if<ExternalStepView>(&view.phase);
    step_->setVisible(step);
    rest_->setVisible(!step);
    if (step) {
        stepLabel_->setProse(qs(step->label));
        progress_->setVisible(step->progress.has_value());
        activity_->setVisible(!step->progress);
        if (step->progress) progress_->setValue(*step->progress);
        elapsed_->setVisible(step->elapsed.has_value());
        if (step->elapsed) elapsed_->setSentence(qs(*step->elapsed), qs(step->elapsedClock));
        showText(*noProgress_, step->noProgressNote);
    } else {
        const auto& rest = std::get<ExternalRestView>(view.phase);
        restTitle_->setProse(qs(rest.title));
        remaining_->setText(qs(rest.remaining));
        skip_->setText(qs(rest.skipLabel));
    }
    status_->setProse(qs(view.status));
    showLoad(cpu_, view.cpu);
    showLoad(gpu_, view.gpu);
}

void ExternalRunScreen::showFinished(const ExternalFinishedView& view) {
    clearLayout(*finishedContent_);
    finishedContent_->addWidget(new ProseLabel(TextRole::title, color(PaletteColor::text), qs(view.title)));
    for (const auto& app : view.apps) {
        auto* content = plainColumn(10);
        content->addLayout(leadingRow(scoreTitle(app.name, 16)));
        content->addWidget(new ScoreRow(app.scores));
        finishedContent_->addWidget(cardAround(content));
    }
    if (view.noScores) {
        auto* label = prose(TextRole::subHeader);
        label->setProse(qs(*view.noScores));
        finishedContent_->addWidget(label);
    }
    if (view.problemsTitle) {
        auto* content = plainColumn(10);
        content->addWidget(new ProseLabel(TextRole::label, color(PaletteColor::text), qs(*view.problemsTitle)));
        for (const auto& problem : view.problems) {
            auto* entry = plainColumn(4);
            if (problem.stepLabel) {
                auto* label = new ProseLabel(TextRole::label, color(PaletteColor::primary), qs(*problem.stepLabel));
                label->setFont(vazirFont(VazirWeight::extraBold, 13));
                setForeground(*label, color(PaletteColor::primary));
                label->setWordWrap(true);
                entry->addWidget(label);
            }
            auto* message = prose(TextRole::body);
            message->setProse(qs(problem.message));
            message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
            entry->addWidget(message);
            content->addLayout(entry);
        }
        finishedContent_->addWidget(cardAround(content, PaletteColor::muted));
    }
    if (view.csvWritten) {
        auto* label = prose(TextRole::label);
        label->setProse(qs(*view.csvWritten));
        finishedContent_->addWidget(label);
    }
    back_->setText(qs(view.backLabel));
    openCsv_->setText(qs(view.openCsvLabel));
}

void ExternalRunScreen::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return; // the window was minimised, the screen stays
    showsConsole_ = true;
    showConsole();
}

void ExternalRunScreen::showConsole() {
    if (!shown_) return;
    const ExternalConsoleView& view = shown_->console;
    consoleCard_->setVisible(view.isShown);
    consoleTitle_->setProse(qs(view.title));
    consoleToggle_->setText(qs(showsConsole_ ? view.hideLabel : view.showLabel));
    console_->setVisible(showsConsole_);
    if (showsConsole_) console_->show(view.lines, view.emptyText);
}

} // namespace zantiva
