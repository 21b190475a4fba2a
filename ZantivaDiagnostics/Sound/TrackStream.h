#pragma once

#include <QAudioFormat>
#include <QFile>
#include <QIODevice>
#include <QWaveDecoder>
#include <atomic>
#include <cstdint>
#include <memory>

namespace zantiva {

// A 16-bit stereo WAV file read from a chosen frame to its end as 32-bit float frames, each
// channel multiplied by its gain as it is read. The file is streamed, never held in memory.
class TrackStream : public QIODevice {
    Q_OBJECT
public:
    // The open stream, or nothing when the file can't be read, isn't 16-bit stereo PCM, or
    // holds no frame or 2^32 frames or more.
    static std::unique_ptr<TrackStream> open(const QString& path);

    std::int64_t frames() const { return frames_; }
    int sampleRate() const { return sampleRate_; }
    // What the stream gives: float stereo at the file's rate.
    QAudioFormat format() const;

    // Reads go on from this frame (0 … frames).
    bool seekFrame(std::int64_t frame);
    // Safe while the sound output reads.
    void setGains(float left, float right);

    bool isSequential() const override { return true; }
    bool atEnd() const override { return next_ >= frames_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    TrackStream() = default;

    QFile file_;
    std::unique_ptr<QWaveDecoder> decoder_;
    qint64 dataStart_ = 0;
    std::int64_t frames_ = 0;
    int sampleRate_ = 0;
    std::int64_t next_ = 0;
    std::atomic<float> leftGain_{1};
    std::atomic<float> rightGain_{1};
};

} // namespace zantiva
