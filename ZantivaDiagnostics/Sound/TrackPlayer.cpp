#include "Sound/TrackPlayer.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cmath>

#include "Bundle/ResourceBundle.h"
#include "Sound/TrackStream.h"

namespace zantiva {

namespace {

constexpr float fadeStart = 0.5f;

} // namespace

std::optional<QString> TrackPlayer::trackPath() {
    return ResourceBundle::resource("Audio", "speaker-test-track", "wav");
}

TrackPlayer::TrackPlayer(std::optional<QString> track, std::chrono::milliseconds fade, QObject* parent)
    : QObject(parent), track_(std::move(track)), fade_(fade) {
    ticker_.setInterval(100);
    connect(&ticker_, &QTimer::timeout, this, [this] {
        const Observed before = state_;
        tick();
        publish(before);
    });
}

TrackPlayer::~TrackPlayer() { unload(); }

bool TrackPlayer::play(AudioChannel channel) {
    const Observed before = state_;
    const bool playing = start(channel);
    publish(before);
    return playing;
}

bool TrackPlayer::start(AudioChannel channel) {
    unload();
    if (!track_) return false;
    std::unique_ptr<TrackStream> stream = TrackStream::open(*track_);
    if (!stream) return false;
    stream_ = std::move(stream);
    state_.channel = channel;
    state_.duration = static_cast<double>(stream_->frames()) / stream_->sampleRate();
    state_.volume = manualVolume_.value_or(fadeStart);
    applyGains();
    if (!schedule(0)) {
        unload();
        return false;
    }
    state_.isLoaded = true;
    state_.isPaused = false;
    rampStart_ = manualVolume_ ? std::nullopt : std::optional(std::chrono::steady_clock::now());
    ticker_.start();
    return true;
}

void TrackPlayer::stop() {
    const Observed before = state_;
    unload();
    publish(before);
}

void TrackPlayer::unload() {
    ticker_.stop();
    ++generation_;
    if (sink_) sink_->stop();
    sink_.reset();
    stream_.reset();
    state_.isLoaded = false;
    state_.isPaused = false;
    state_.position = 0;
    rampStart_.reset();
}

// A new sink per segment: the one it replaces goes with everything it had buffered.
bool TrackPlayer::schedule(std::int64_t frame) {
    if (sink_) sink_->stop();
    sink_.reset();
    if (!stream_->seekFrame(frame)) return false;
    segmentStart_ = frame;
    auto sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), stream_->format());
    // The sink falls idle once the stream has given its last frame; the stop comes after the
    // signal, never inside it, and only for the segment still scheduled.
    connect(sink.get(), &QAudioSink::stateChanged, this, [this, generation = generation_](QAudio::State state) {
        if (state != QAudio::IdleState || generation != generation_ || !stream_ || !stream_->atEnd()) return;
        QMetaObject::invokeMethod(this, [this, generation] {
            if (generation == generation_) stop();
        }, Qt::QueuedConnection);
    });
    sink->start(stream_.get());
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) return false;
    sink_ = std::move(sink);
    return true;
}

void TrackPlayer::togglePause() {
    if (!state_.isLoaded) return;
    const Observed before = state_;
    if (state_.isPaused) sink_->resume();
    else sink_->suspend();
    state_.isPaused = !state_.isPaused;
    publish(before);
}

void TrackPlayer::seek(double seconds) {
    if (!stream_ || !state_.isLoaded) return;
    const Observed before = state_;
    const double time = std::clamp(std::isfinite(seconds) ? seconds : 0.0, 0.0, state_.duration);
    const std::int64_t frame = std::llround(time * stream_->sampleRate());
    ++generation_;
    if (frame >= stream_->frames() || !schedule(frame)) {
        unload();
    } else {
        if (state_.isPaused) sink_->suspend();
        state_.position = static_cast<double>(frame) / stream_->sampleRate();
    }
    publish(before);
}

void TrackPlayer::setVolume(float volume) {
    const Observed before = state_;
    state_.volume = std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : 0.0f;
    manualVolume_ = state_.volume;
    rampStart_.reset();
    state_.isMuted = false;
    applyGains();
    publish(before);
}

void TrackPlayer::toggleMute() {
    const Observed before = state_;
    state_.isMuted = !state_.isMuted;
    rampStart_.reset();
    manualVolume_ = state_.volume;
    applyGains();
    publish(before);
}

void TrackPlayer::setChannel(AudioChannel channel) {
    const Observed before = state_;
    state_.channel = channel;
    applyGains();
    publish(before);
}

void TrackPlayer::tick() {
    if (rampStart_) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - *rampStart_;
        const double t = std::min(elapsed / std::chrono::duration<double>(fade_), 1.0);
        state_.volume = fadeStart + fadeStart * static_cast<float>(t);
        applyGains();
        if (t >= 1.0) rampStart_.reset();
    }
    if (!state_.isPaused && stream_ && sink_) {
        const double played = static_cast<double>(sink_->processedUSecs()) / 1e6;
        state_.position = std::min(static_cast<double>(segmentStart_) / stream_->sampleRate() + played, state_.duration);
    }
}

// The level, muted or not, times the side's share: a side not chosen is silent, and "both"
// leaves the two sides as the track has them.
void TrackPlayer::applyGains() {
    if (!stream_) return;
    const float level = state_.isMuted ? 0.0f : state_.volume;
    stream_->setGains(state_.channel == AudioChannel::right ? 0.0f : level,
                      state_.channel == AudioChannel::left ? 0.0f : level);
}

void TrackPlayer::publish(const Observed& before) {
    if (!(state_ == before)) emit changed();
}

} // namespace zantiva
