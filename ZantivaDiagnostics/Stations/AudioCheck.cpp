#include "Stations/AudioCheck.h"

#include <utility>

namespace zantiva {

AudioCheck::AudioCheck(QObject* parent) : QObject(parent) {
    connect(&track_, &TrackPlayer::changed, this, &AudioCheck::changed);
}

AudioStationState AudioCheck::state() const {
    AudioStationState shown = flags_;
    shown.track = {track_.isLoaded(), track_.isPaused(), track_.position(), track_.duration(), track_.volume(),
                   track_.isMuted()};
    return shown;
}

void AudioCheck::playTone(AudioChannel side) {
    track_.stop();
    flags_.toneFailed = !tone_.play(side, AudioStationPresenter::toneSeconds);
    emit changed();
}

void AudioCheck::setHeard(AudioChannel side, bool heard) {
    (side == AudioChannel::left ? flags_.heardLeft : flags_.heardRight) = heard;
    emit changed();
}

void AudioCheck::chooseChannel(AudioChannel channel) {
    flags_.selected = channel;
    track_.setChannel(channel);
    emit changed();
}

void AudioCheck::playTrack() {
    tone_.stop();
    flags_.trackUnavailable = !track_.play(flags_.selected);
    emit changed();
}

void AudioCheck::dragSeek(double seconds) {
    flags_.seeking = seconds;
    emit changed();
}

void AudioCheck::releaseSeek() {
    if (!flags_.seeking) return;
    const double seconds = *std::exchange(flags_.seeking, std::nullopt);
    track_.seek(seconds);
    emit changed();
}

void AudioCheck::stopBoth() {
    tone_.stop();
    track_.stop();
}

} // namespace zantiva
