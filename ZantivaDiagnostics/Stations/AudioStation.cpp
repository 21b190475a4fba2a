#include "Stations/AudioStation.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "Controls/RetroButton.h"
#include "Controls/RetroCheckBox.h"
#include "Layout/LeadingRow.h"
#include "Layout/PageColumn.h"
#include "Stations/Verdict.h"
#include "Theme/Metric.h"
#include "Theme/OutlinedShape.h"
#include "Theme/Palette.h"
#include "Typography/Fonts.h"
#include "Typography/HardwareText.h"
#include "Typography/ProseLabel.h"
#include "Typography/QtString.h"
#include "Typography/RoleProse.h"

namespace zantiva {
namespace {

constexpr qreal sectionRadius = Theme::Metric::controlRadius;
// The seek slider counts milliseconds.
constexpr double sliderUnitsPerSecond = 1000;

// A row that runs left to right in either language.
QHBoxLayout* leftToRightRow(QWidget& box, int spacing) {
    box.setLayoutDirection(Qt::LeftToRight);
    auto* row = new QHBoxLayout(&box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    return row;
}

QSlider* tintedSlider() {
    auto* slider = new QSlider(Qt::Horizontal);
    QPalette palette = slider->palette();
    palette.setColor(QPalette::Highlight, color(PaletteColor::primary));
    slider->setPalette(palette);
    return slider;
}

HardwareText* timeText() { return new HardwareText({}, 11, QFont::Bold, withOpacity(color(PaletteColor::text), 0.7)); }

RetroButton* chip(const QString& text) { return new RetroButton(text, RetroButtonKind::outline, RetroButtonSize::chip); }

} // namespace

MusicTrackSection::MusicTrackSection(QWidget* parent)
    : QWidget(parent), title_(wrappedLabel(TextRole::label, color(PaletteColor::text))),
      note_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      play_(new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::pill)),
      pause_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::pill)),
      stop_(new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::pill)),
      unavailable_(wrappedLabel(TextRole::label, color(PaletteColor::primary))), timeRow_(new QWidget),
      elapsed_(timeText()), seek_(tintedSlider()), total_(timeText()), mute_(chip({})), volume_(tintedSlider()),
      level_(new HardwareText({}, 11, QFont::Bold, color(PaletteColor::text))), half_(chip("50%")), full_(chip("100%")) {
    note_->setFont(vazirFont(VazirWeight::medium, 11));
    setForeground(*note_, withOpacity(color(PaletteColor::text), 0.6));

    auto* chooser = new QWidget;
    QHBoxLayout* chooserRow = leftToRightRow(*chooser, 6);
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        choices_[i] = new RetroButton({}, RetroButtonKind::outline, RetroButtonSize::compact);
        chooserRow->addWidget(choices_[i], 0, Qt::AlignVCenter);
        connect(choices_[i], &QAbstractButton::clicked, this, [this, i] { emit channelChosen(channels_[i]); });
    }

    auto* controls = new QHBoxLayout;
    controls->setSpacing(6);
    for (RetroButton* button : {play_, pause_, stop_}) controls->addWidget(button, 0, Qt::AlignVCenter);
    controls->addStretch();

    QHBoxLayout* timeLine = leftToRightRow(*timeRow_, 8);
    timeLine->addWidget(elapsed_, 0, Qt::AlignVCenter);
    timeLine->addWidget(seek_, 1, Qt::AlignVCenter);
    timeLine->addWidget(total_, 0, Qt::AlignVCenter);

    auto* volumeRow = new QWidget;
    QHBoxLayout* volumeLine = leftToRightRow(*volumeRow, 8);
    volume_->setRange(0, 100);
    level_->setFixedWidth(40);
    level_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QWidget* item : std::initializer_list<QWidget*>{mute_, volume_, level_, half_, full_})
        volumeLine->addWidget(item, item == volume_ ? 1 : 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);
    column->addWidget(title_);
    column->addWidget(note_);
    column->addLayout(leadingRow(chooser));
    column->addLayout(controls);
    for (QWidget* item : std::initializer_list<QWidget*>{unavailable_, timeRow_, volumeRow})
        column->addWidget(item);

    connect(play_, &QAbstractButton::clicked, this, &MusicTrackSection::playRequested);
    connect(pause_, &QAbstractButton::clicked, this, &MusicTrackSection::pauseRequested);
    connect(stop_, &QAbstractButton::clicked, this, &MusicTrackSection::stopRequested);
    connect(seek_, &QSlider::sliderMoved, this, [this](int value) { emit seekDragged(value / sliderUnitsPerSecond); });
    connect(seek_, &QSlider::sliderReleased, this, &MusicTrackSection::seekReleased);
    connect(mute_, &QAbstractButton::clicked, this, &MusicTrackSection::muteRequested);
    connect(volume_, &QSlider::valueChanged, this, [this](int value) { emit volumeChosen(static_cast<float>(value) / 100); });
    connect(half_, &QAbstractButton::clicked, this, [this] { emit volumeChosen(0.5f); });
    connect(full_, &QAbstractButton::clicked, this, [this] { emit volumeChosen(1.0f); });
}

RetroButton* MusicTrackSection::choiceButton(AudioChannel channel) const {
    for (std::size_t i = 0; i < channels_.size(); ++i)
        if (channels_[i] == channel) return choices_[i];
    return nullptr;
}

void MusicTrackSection::show(const AudioTrackView& view) {
    title_->setProse(qs(view.title));
    note_->setProse(qs(view.note));
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        choices_[i]->setText(qs(view.choices[i].label));
        choices_[i]->setKind(view.choices[i].isSelected ? RetroButtonKind::primary : RetroButtonKind::outline);
    }
    play_->setText(qs(view.play));
    pause_->setText(qs(view.pause));
    stop_->setText(qs(view.stop));
    play_->setVisible(!view.isLoaded);
    pause_->setVisible(view.isLoaded);
    stop_->setVisible(view.isLoaded);
    unavailable_->setVisible(view.unavailable.has_value());
    unavailable_->setProse(qs(view.unavailable.value_or("")));

    timeRow_->setVisible(view.isLoaded);
    elapsed_->setText(qs(view.elapsed));
    total_->setText(qs(view.total));
    {
        const QSignalBlocker quiet(seek_);
        seek_->setRange(0, static_cast<int>(std::lround(view.seekMaximum * sliderUnitsPerSecond)));
        if (!seek_->isSliderDown()) seek_->setValue(static_cast<int>(std::lround(view.seekValue * sliderUnitsPerSecond)));
    }

    mute_->setText(qs(view.muteSymbol));
    mute_->setToolTip(qs(view.muteTip));
    {
        const QSignalBlocker quiet(volume_);
        volume_->setValue(view.volumePercent);
    }
    level_->setText(qs(view.level));
}

void MusicTrackSection::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintOutlinedShape(painter, rect(), sectionRadius, color(PaletteColor::muted), color(PaletteColor::outline));
}

AudioStation::AudioStation(QWidget* parent)
    : QWidget(parent), instruction_(wrappedLabel(TextRole::body, color(PaletteColor::text))),
      toneFailed_(wrappedLabel(TextRole::body, color(PaletteColor::tertiary))),
      left_(makeColumn(AudioChannel::left)), right_(makeColumn(AudioChannel::right)), music_(new MusicTrackSection),
      verdict_(new Verdict) {
    // The left column stays on the left and the right on the right whatever the language.
    auto* sides = new QWidget;
    QHBoxLayout* row = leftToRightRow(*sides, 24);
    row->addWidget(left_.box, 1, Qt::AlignTop);
    row->addWidget(right_.box, 1, Qt::AlignTop);

    QVBoxLayout* column = pageColumn(*this);
    for (QWidget* item : std::initializer_list<QWidget*>{instruction_, toneFailed_, sides, music_, verdict_})
        column->addWidget(item);
    toneFailed_->hide();
}

AudioStation::Column AudioStation::makeColumn(AudioChannel side) {
    Column made{new QWidget, proseLabel(TextRole::label, color(PaletteColor::text)),
                new RetroButton({}, RetroButtonKind::secondary, RetroButtonSize::regular), new RetroCheckBox({})};
    applyTextRole(*made.heard, TextRole::body, color(PaletteColor::text));
    auto* stack = new QVBoxLayout(made.box);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    stack->addWidget(made.title);
    stack->addWidget(made.play, 0, Qt::AlignLeading);
    stack->addWidget(made.heard);
    stack->addStretch();
    connect(made.play, &QAbstractButton::clicked, this, [this, side] { emit playToneRequested(side); });
    connect(made.heard, &QAbstractButton::toggled, this, [this, side](bool heard) { emit heardToggled(side, heard); });
    made.heard->setCheckable(true);
    return made;
}

RetroButton* AudioStation::playToneButton(AudioChannel side) const { return columnOf(side).play; }
RetroCheckBox* AudioStation::heardBox(AudioChannel side) const { return columnOf(side).heard; }
QWidget* AudioStation::column(AudioChannel side) const { return columnOf(side).box; }

void AudioStation::show(const AudioStationView& view) {
    instruction_->setProse(qs(view.instruction));
    toneFailed_->setVisible(view.toneFailed.has_value());
    toneFailed_->setProse(qs(view.toneFailed.value_or("")));
    for (const auto& [shown, side] : {std::pair{&view.left, &left_}, std::pair{&view.right, &right_}}) {
        side->title->setProse(qs(shown->title));
        side->play->setText(qs(shown->playTone));
        side->heard->setText(qs(shown->heard));
        const QSignalBlocker quiet(side->heard);
        side->heard->setChecked(shown->isHeard);
    }
    music_->show(view.track);
    verdict_->show(view.verdict);
}

// The sides' row is held left to right; the text inside each column follows the page's
// language, which the page may have had before it was shown or take on later.
void AudioStation::followDirection() {
    for (const Column* side : {&left_, &right_}) side->box->setLayoutDirection(layoutDirection());
}

void AudioStation::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LayoutDirectionChange) followDirection();
    QWidget::changeEvent(event);
}

void AudioStation::showEvent(QShowEvent* event) {
    followDirection();
    QWidget::showEvent(event);
}

} // namespace zantiva
