#include "Sound/TonePlayer.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <cmath>

#include "Sound/ToneSource.h"

namespace zantiva {

TonePlayer::TonePlayer() {
    stopTimer_.setSingleShot(true);
    stopTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stopTimer_, &QTimer::timeout, [this] { stop(); });
}

TonePlayer::~TonePlayer() { stop(); }

bool TonePlayer::play(AudioChannel channel, double seconds) {
    stop();
    if (!std::isfinite(seconds) || seconds < 0 || seconds > longestSeconds) return false;

    QAudioFormat format;
    format.setSampleRate(ToneSource::sampleRate);
    format.setChannelCount(ToneSource::channelCount);
    format.setSampleFormat(QAudioFormat::Float);
    const auto totalFrames = static_cast<std::int64_t>(seconds * ToneSource::sampleRate);
    auto source = std::make_unique<ToneSource>(channel, totalFrames);
    source->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    auto sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
    sink->start(source.get());
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) return false;

    source_ = std::move(source);
    sink_ = std::move(sink);
    stopTimer_.start(std::chrono::milliseconds(std::lround((seconds + 0.1) * 1000)));
    return true;
}

void TonePlayer::stop() {
    stopTimer_.stop();
    if (sink_) sink_->stop();
    sink_.reset();
    source_.reset();
}

} // namespace zantiva
