#pragma once

#include <QObject>

#include "Presenters/AudioStationPresenter.h"
#include "Sound/TonePlayer.h"
#include "Sound/TrackPlayer.h"

namespace zantiva {

// The speaker check behind its page: the test tone per side and what the user heard, and the
// music track with its speaker, seeking and level. One sound at a time: the tone stops the
// track and the track the tone. Owned by its page; its players stop as it goes.
class AudioCheck : public QObject {
    Q_OBJECT

public:
    explicit AudioCheck(QObject* parent = nullptr);

    // What the page shows, with the track as it plays now.
    AudioStationState state() const;
    TrackPlayer& track() { return track_; }

    void playTone(AudioChannel side);
    void setHeard(AudioChannel side, bool heard);
    void chooseChannel(AudioChannel channel);
    void playTrack();
    // While the slider is dragged the page shows its place; the track moves on release.
    void dragSeek(double seconds);
    void releaseSeek();
    void stopBoth();

signals:
    // The flags or the track changed.
    void changed();

private:
    TonePlayer tone_;
    TrackPlayer track_;
    AudioStationState flags_;
};

} // namespace zantiva
