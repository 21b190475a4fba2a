#pragma once

#include <QWidget>
#include <array>

#include "Model/TestModule.h"
#include "Presenters/AudioStationPresenter.h"

class QSlider;

namespace zantiva {

class HardwareText;
class ProseLabel;
class RetroButton;
class RetroCheckBox;
class Verdict;

// The speaker check's music card: which speaker, play or pause and stop, the seek slider while
// a track plays, and the volume with mute.
class MusicTrackSection : public QWidget {
    Q_OBJECT

public:
    explicit MusicTrackSection(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const AudioTrackView& view);

    RetroButton* choiceButton(AudioChannel channel) const;
    RetroButton* playButton() const { return play_; }
    RetroButton* pauseButton() const { return pause_; }
    RetroButton* stopButton() const { return stop_; }
    ProseLabel* unavailable() const { return unavailable_; }
    QWidget* timeRow() const { return timeRow_; }
    QSlider* seekSlider() const { return seek_; }
    HardwareText* elapsed() const { return elapsed_; }
    HardwareText* total() const { return total_; }
    RetroButton* muteButton() const { return mute_; }
    QSlider* volumeSlider() const { return volume_; }
    HardwareText* level() const { return level_; }
    RetroButton* halfButton() const { return half_; }

signals:
    void channelChosen(zantiva::AudioChannel channel);
    void playRequested();
    void pauseRequested();
    void stopRequested();
    // The seek slider while it is dragged (seconds), and its release.
    void seekDragged(double seconds);
    void seekReleased();
    void muteRequested();
    void volumeChosen(float volume);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProseLabel* title_;
    ProseLabel* note_;
    std::array<RetroButton*, 3> choices_;
    std::array<AudioChannel, 3> channels_{AudioChannel::left, AudioChannel::both, AudioChannel::right};
    RetroButton* play_;
    RetroButton* pause_;
    RetroButton* stop_;
    ProseLabel* unavailable_;
    QWidget* timeRow_;
    HardwareText* elapsed_;
    QSlider* seek_;
    HardwareText* total_;
    RetroButton* mute_;
    QSlider* volume_;
    HardwareText* level_;
    RetroButton* half_;
    RetroButton* full_;
};

// The speaker check's page: a tone for each side with the box that confirms it, the music
// card, and the verdict (Continue once both sides are confirmed).
class AudioStation : public QWidget {
    Q_OBJECT

public:
    explicit AudioStation(QWidget* parent = nullptr);

    using QWidget::show;
    void show(const AudioStationView& view);

    ProseLabel* instruction() const { return instruction_; }
    ProseLabel* toneFailed() const { return toneFailed_; }
    RetroButton* playToneButton(AudioChannel side) const;
    RetroCheckBox* heardBox(AudioChannel side) const;
    QWidget* column(AudioChannel side) const;
    MusicTrackSection* music() const { return music_; }
    Verdict* verdict() const { return verdict_; }

signals:
    void playToneRequested(zantiva::AudioChannel side);
    void heardToggled(zantiva::AudioChannel side, bool heard);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Column {
        QWidget* box;
        ProseLabel* title;
        RetroButton* play;
        RetroCheckBox* heard;
    };
    Column makeColumn(AudioChannel side);
    void followDirection();
    const Column& columnOf(AudioChannel side) const { return side == AudioChannel::right ? right_ : left_; }

    ProseLabel* instruction_;
    ProseLabel* toneFailed_;
    Column left_;
    Column right_;
    MusicTrackSection* music_;
    Verdict* verdict_;
};

} // namespace zantiva
