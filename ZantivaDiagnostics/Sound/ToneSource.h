#pragma once

#include <QIODevice>
#include <cstdint>

#include "Model/TestModule.h"

namespace zantiva {

// The test tone as an endless stream of interleaved stereo 32-bit float frames at 48 kHz:
// a 440 Hz sine of amplitude 0.4 on the chosen channel for total frames, ramped linearly over
// its first and last 1440 frames (30 ms), then silence. Each sample comes from its absolute
// frame number, so the tone keeps its phase whatever the sizes of the blocks read.
class ToneSource : public QIODevice {
    Q_OBJECT
public:
    static constexpr int sampleRate = 48'000;
    static constexpr int channelCount = 2;
    static constexpr std::int64_t rampFrames = 1440;

    ToneSource(AudioChannel channel, std::int64_t totalFrames, QObject* parent = nullptr);

    // The tone's value at frame n of a tone of total frames.
    static float sample(std::int64_t n, std::int64_t total);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    AudioChannel channel_;
    std::int64_t total_;
    // Only the reads touch it: the sound output's thread once the tone sounds.
    std::int64_t frame_ = 0;
};

} // namespace zantiva
