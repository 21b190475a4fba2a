#include "Stations/InputStation.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Controls/RetroButton.h"
#include "Controls/RetroTextField.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageColumn.h"
#include "Stations/InputTouchpadArea.h"
#include "Stations/KeyboardGrid.h"
#include "Stations/Verdict.h"
#include "Theme/Palette.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

const QColor& text() { return color(PaletteColor::text); }

RetroButton* primaryButton() { return new RetroButton({}, RetroButtonKind::primary, RetroButtonSize::regular); }

QWidget* stepBox() {
    auto* box = new QWidget;
    pageColumn(*box);
    return box;
}

// A heading and the keys under it, the keys wrapping beside the heading.
QWidget* keyRow(ProseLabel* title, HardwareText* keys) {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    keys->setWordWrap(true);
    line->addWidget(title, 0, Qt::AlignTop);
    line->addWidget(keys, 1, Qt::AlignTop);
    return row;
}

void showKeyList(QWidget& row, ProseLabel& title, HardwareText& keys, const std::optional<KeyListView>& list) {
    row.setVisible(list.has_value());
    title.setProse(list ? qs(list->title) : QString());
    keys.setText(list ? qs(list->keys) : QString());
}

} // namespace

InputStation::InputStation(QWidget* parent)
    : QWidget(parent), step_(proseLabel(TextRole::label, text())), typing_(stepBox()),
      sentence_(new HardwareText({}, 14, QFont::Bold, text())), field_(new RetroTextField({}, true)),
      next_(primaryButton()), keys_(stepBox()), hint_(wrappedLabel(TextRole::body, text())),
      grid_(new KeyboardGrid), lastKey_(proseLabel(TextRole::label, text())), finish_(primaryButton()),
      touchpadStep_(stepBox()), noMissing_(wrappedLabel(TextRole::body, text())),
      missingTitle_(proseLabel(TextRole::label, text())),
      missingKeys_(new HardwareText({}, 12, QFont::Bold, text())),
      doubleTitle_(proseLabel(TextRole::label, text())),
      doubleKeys_(new HardwareText({}, 12, QFont::Bold, text())),
      touchpadTitle_(proseLabel(TextRole::label, text())), area_(new InputTouchpadArea),
      verdict_(new Verdict) {
    missingRow_ = keyRow(missingTitle_, missingKeys_);
    doubleRow_ = keyRow(doubleTitle_, doubleKeys_);

    QVBoxLayout* column = pageColumn(*this);
    column->addWidget(step_);
    column->addWidget(typing_);
    column->addWidget(keys_);
    column->addWidget(touchpadStep_);

    auto* typing = static_cast<QVBoxLayout*>(typing_->layout());
    typing->addLayout(leadingRow(sentence_));
    typing->addWidget(field_);
    typing->addLayout(leadingRow(next_));

    auto* keys = static_cast<QVBoxLayout*>(keys_->layout());
    keys->addWidget(hint_);
    keys->addLayout(leadingRow(grid_));
    auto* lastRow = new QHBoxLayout;
    lastRow->addWidget(lastKey_, 0, Qt::AlignVCenter);
    lastRow->addStretch();
    lastRow->addWidget(finish_, 0, Qt::AlignVCenter);
    keys->addLayout(lastRow);

    auto* touchpad = static_cast<QVBoxLayout*>(touchpadStep_->layout());
    touchpad->addWidget(noMissing_);
    touchpad->addWidget(missingRow_);
    touchpad->addWidget(doubleRow_);
    touchpad->addWidget(touchpadTitle_);
    touchpad->addWidget(area_);
    touchpad->addWidget(verdict_);

    connect(field_, &RetroTextField::textChanged, this, &InputStation::typedChanged);
    connect(next_, &QAbstractButton::clicked, this, &InputStation::nextPressed);
    connect(finish_, &QAbstractButton::clicked, this, &InputStation::finishPressed);
    connect(area_, &InputTouchpadArea::moved, this, &InputStation::touchpadMoved);
    connect(area_, &InputTouchpadArea::clicked, this, &InputStation::touchpadClicked);
    connect(verdict_, &Verdict::continuePressed, this, &InputStation::continuePressed);
    connect(verdict_, &Verdict::issuePressed, this, &InputStation::issuePressed);
    show(InputStationView{});
    alignKeyLists();
}

void InputStation::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) alignKeyLists();
}

// The keys read left to right in either language and stand beside their heading: wrapped
// lines keep to the heading's side of the row.
void InputStation::alignKeyLists() {
    const Qt::Alignment side = layoutDirection() == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    for (HardwareText* keys : {missingKeys_, doubleKeys_}) keys->setAlignment(side | Qt::AlignTop);
}

void InputStation::show(const InputStationView& view) {
    step_->setProse(qs(view.step));
    typing_->setVisible(view.phase == KeyboardTestPhase::typing);
    keys_->setVisible(view.phase == KeyboardTestPhase::keySequence);
    touchpadStep_->setVisible(view.phase == KeyboardTestPhase::touchpad);

    sentence_->setText(qs(view.sentence));
    next_->setText(qs(view.nextLabel));
    next_->setEnabled(view.canBeginSweep);

    hint_->setProse(qs(view.hint));
    grid_->show(view.keyboard);
    lastKey_->setProse(qs(view.lastKey));
    finish_->setText(qs(view.finishLabel));

    noMissing_->setVisible(view.noMissing.has_value());
    noMissing_->setProse(qs(view.noMissing.value_or("")));
    showKeyList(*missingRow_, *missingTitle_, *missingKeys_, view.missing);
    showKeyList(*doubleRow_, *doubleTitle_, *doubleKeys_, view.doublePressed);
    touchpadTitle_->setProse(qs(view.touchpadTitle));
    area_->setText(qs(view.touchpadSeen));
    verdict_->show(view.verdict);
}

} // namespace zantiva
