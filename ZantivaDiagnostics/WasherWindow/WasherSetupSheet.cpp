#include "WasherWindow/WasherSetupSheet.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Controls/ButtonText.h"
#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Layout/PageScroll.h"
#include "Theme/Palette.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"
#include "Typography/TextRole.h"
#include "WasherWindow/WasherChoiceList.h"
#include "WasherWindow/WasherNoticeBox.h"

namespace zantiva {
namespace {

constexpr int cardWidth = 600;
constexpr int cardMaximumHeight = 620;

ProseLabel* label(TextRole role) { return wrappedLabel(role, color(PaletteColor::text)); }

RetroCheckBox* checkBox() {
    auto* box = new RetroCheckBox({});
    applyTextRole(*box, TextRole::body, color(PaletteColor::text));
    return box;
}

} // namespace

WasherSetupSheet::WasherSetupSheet(QWidget* parent)
    : ModalOverlay(parent), title_(label(TextRole::header)), subtitle_(label(TextRole::body)),
      warning_(new WasherNoticeBox), time_(new WasherNoticeBox), durationTitle_(label(TextRole::label)),
      durations_(new WasherChoiceList), summary_(label(TextRole::label)), patternTitle_(label(TextRole::label)),
      patterns_(new WasherChoiceList), autoCycle_(checkBox()), screenTitle_(label(TextRole::label)),
      screens_(new WasherChoiceList), controlsNote_(label(TextRole::label)), inspectTip_(label(TextRole::label)),
      consent_(checkBox()), start_(new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular)),
      cancel_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::regular)) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(12);
    for (QWidget* part : std::initializer_list<QWidget*>{
             title_, subtitle_, warning_, time_, durationTitle_, durations_, summary_, patternTitle_, patterns_,
             autoCycle_, screenTitle_, screens_, controlsNote_, inspectTip_, consent_})
        column->addWidget(part);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addWidget(start_, 0, Qt::AlignVCenter);
    buttons->addWidget(cancel_, 0, Qt::AlignVCenter);
    buttons->addStretch();
    column->addLayout(buttons);

    QScrollArea* scroll = pageScroll(content);
    scroll->setFixedWidth(cardWidth);
    scroll->setMaximumHeight(cardMaximumHeight);
    // As tall as the content, up to the card's limit; the rest scrolls.
    scroll->setMinimumHeight(std::min(cardMaximumHeight, content->sizeHint().height()));
    setCardContent(scroll);

    connect(durations_, &WasherChoiceList::chosen, this, &WasherSetupSheet::durationChosen);
    connect(patterns_, &WasherChoiceList::chosen, this, &WasherSetupSheet::patternChosen);
    connect(screens_, &WasherChoiceList::chosen, this, &WasherSetupSheet::screenChosen);
    connect(autoCycle_, &QAbstractButton::clicked, this, &WasherSetupSheet::autoCycleChosen);
    connect(consent_, &QAbstractButton::clicked, this, &WasherSetupSheet::consentChosen);
    connect(start_, &QAbstractButton::clicked, this, &WasherSetupSheet::startRequested);
    connect(cancel_, &QAbstractButton::clicked, this, &WasherSetupSheet::cancelRequested);
    connect(this, &ModalOverlay::backdropClicked, this, &WasherSetupSheet::cancelRequested);
}

void WasherSetupSheet::show(const WasherSetupView& view) {
    title_->setProse(qs(view.title));
    subtitle_->setProse(qs(view.subtitle));
    warning_->show(view.warning);
    time_->show(view.time);
    durationTitle_->setProse(qs(view.durationTitle));
    durations_->show(view.durations);
    summary_->setProse(qs(view.durationSummary));
    patternTitle_->setProse(qs(view.patternTitle));
    patterns_->show(view.patterns);
    setButtonText(*autoCycle_, qs(view.autoCycleLabel));
    autoCycle_->setChecked(view.autoCycle);
    screenTitle_->setVisible(view.screenTitle.has_value());
    if (view.screenTitle) screenTitle_->setProse(qs(*view.screenTitle));
    screens_->setVisible(view.screenTitle.has_value());
    screens_->show(view.screens);
    controlsNote_->setProse(qs(view.controlsNote));
    inspectTip_->setProse(qs(view.inspectTip));
    setButtonText(*consent_, qs(view.consentLabel));
    consent_->setChecked(view.consent);
    start_->setText(qs(view.startLabel));
    start_->setEnabled(view.canStart);
    cancel_->setText(qs(view.cancelLabel));
}

} // namespace zantiva
