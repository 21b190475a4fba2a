#include "Sound/ToneSource.h"

#include <algorithm>
#include <cmath>

namespace zantiva {

namespace {

constexpr double twoPiTimes440 = 2764.601535159018;
constexpr float amplitude = 0.4f;

} // namespace

ToneSource::ToneSource(AudioChannel channel, std::int64_t totalFrames, QObject* parent)
    : QIODevice(parent), channel_(channel), total_(totalFrames) {}

float ToneSource::sample(std::int64_t n, std::int64_t total) {
    if (n >= total) return 0;
    const double ramp = static_cast<double>(std::min(n, std::max<std::int64_t>(total - n, 0))) / rampFrames;
    const float wave = static_cast<float>(std::sin(static_cast<double>(n) * twoPiTimes440 / sampleRate)) * amplitude;
    return ramp < 1 ? wave * static_cast<float>(ramp) : wave;
}

qint64 ToneSource::readData(char* data, qint64 maxSize) {
    constexpr qint64 frameBytes = channelCount * sizeof(float);
    const qint64 frames = maxSize / frameBytes;
    auto* out = reinterpret_cast<float*>(data);
    const bool left = channel_ != AudioChannel::right;
    const bool right = channel_ != AudioChannel::left;
    for (qint64 i = 0; i < frames; ++i) {
        const float value = sample(frame_++, total_);
        out[2 * i] = left ? value : 0.0f;
        out[2 * i + 1] = right ? value : 0.0f;
    }
    return frames * frameBytes;
}

qint64 ToneSource::writeData(const char*, qint64) { return -1; }

} // namespace zantiva
