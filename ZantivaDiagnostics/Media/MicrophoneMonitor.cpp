#include "Media/MicrophoneMonitor.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QMediaDevices>
#include <cstring>
#include <vector>

#include "Media/MediaDevices.h"
#include "Probes/AudioAnalysis.h"

namespace zantiva {

MicrophoneMonitor::MicrophoneMonitor(QObject* parent) : QObject(parent) {
    // One thread: the blocks are analysed, and their results published, in order.
    analysis_.setMaxThreadCount(1);
}

MicrophoneMonitor::~MicrophoneMonitor() {
    source_.reset();
    analysis_.waitForDone();
}

bool MicrophoneMonitor::start() {
    if (source_) return true;
    if (!MediaDevices::hasMicrophone()) return false;
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    QAudioFormat format = device.preferredFormat();
    if (format.sampleRate() <= 0 || format.channelCount() <= 0) return false;
    // Float samples at the device's own rate and channels: the analysis takes them as they are.
    format.setSampleFormat(QAudioFormat::Float);
    auto source = std::make_unique<QAudioSource>(device, format);
    QIODevice* input = source->start();
    if (!input || source->error() != QAudio::NoError) return false;

    format_ = format;
    unread_.clear();
    ++listening_;
    input_ = input;
    source_ = std::move(source);
    connect(input_, &QIODevice::readyRead, this, &MicrophoneMonitor::readInput);
    emit isRunningChanged();
    return true;
}

void MicrophoneMonitor::stop() {
    if (source_) {
        source_->stop();
        source_.reset();
        input_ = nullptr;
        unread_.clear();
        emit isRunningChanged();
    }
    if (level_ != 0) {
        level_ = 0;
        emit levelChanged();
    }
    if (pitchHz_) {
        pitchHz_.reset();
        emit pitchHzChanged();
    }
}

void MicrophoneMonitor::readInput() {
    unread_.append(input_->readAll());
    const qsizetype blockBytes = format_.bytesForFrames(blockFrames);
    qsizetype taken = 0;
    for (; unread_.size() - taken >= blockBytes; taken += blockBytes) analyse(unread_.mid(taken, blockBytes));
    unread_.remove(0, taken);
}

void MicrophoneMonitor::analyse(QByteArray block) {
    const int channels = format_.channelCount();
    const double sampleRate = format_.sampleRate();
    const quint64 listening = listening_;
    analysis_.start([this, block = std::move(block), channels, sampleRate, listening] {
        // The first channel of the interleaved frames.
        std::vector<float> samples(blockFrames);
        const char* frames = block.constData();
        const auto frameBytes = static_cast<std::size_t>(channels) * sizeof(float);
        for (std::size_t i = 0; i < samples.size(); ++i) std::memcpy(&samples[i], frames + i * frameBytes, sizeof(float));
        const double level = AudioAnalysis::level(samples);
        const std::optional<double> pitch = AudioAnalysis::pitch(samples, sampleRate);
        // The monitor outlives this call: its destruction waits for the pool.
        QMetaObject::invokeMethod(this, [this, listening, level, pitch] { publish(listening, level, pitch); },
                                  Qt::QueuedConnection);
    });
}

void MicrophoneMonitor::publish(quint64 listening, double level, std::optional<double> pitchHz) {
    if (!source_ || listening != listening_) return;
    if (level != level_) {
        level_ = level;
        emit levelChanged();
    }
    if (pitchHz != pitchHz_) {
        pitchHz_ = pitchHz;
        emit pitchHzChanged();
    }
}

} // namespace zantiva
