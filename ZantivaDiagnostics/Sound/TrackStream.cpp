#include "Sound/TrackStream.h"

#include <algorithm>
#include <array>

namespace zantiva {

namespace {

constexpr int channels = 2;
constexpr qint64 fileFrameBytes = channels * sizeof(std::int16_t);
constexpr qint64 outFrameBytes = channels * sizeof(float);
constexpr std::int64_t framesLimit = std::int64_t{1} << 32;

} // namespace

std::unique_ptr<TrackStream> TrackStream::open(const QString& path) {
    std::unique_ptr<TrackStream> stream(new TrackStream);
    stream->file_.setFileName(path);
    if (!stream->file_.open(QIODevice::ReadOnly)) return nullptr;
    stream->decoder_ = std::make_unique<QWaveDecoder>(&stream->file_);
    if (!stream->decoder_->open(QIODevice::ReadOnly)) return nullptr;
    const QAudioFormat format = stream->decoder_->audioFormat();
    if (!format.isValid() || format.sampleFormat() != QAudioFormat::Int16 || format.channelCount() != channels)
        return nullptr;
    // The decoder reads and seeks in the file's own offsets; its samples start where it stands now.
    stream->dataStart_ = stream->decoder_->pos();
    stream->frames_ = stream->decoder_->size() / fileFrameBytes;
    stream->sampleRate_ = format.sampleRate();
    if (stream->frames_ <= 0 || stream->frames_ >= framesLimit) return nullptr;
    // Unbuffered: a seek or a new gain must not wait behind frames read ahead.
    stream->QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    return stream;
}

QAudioFormat TrackStream::format() const {
    QAudioFormat format;
    format.setSampleRate(sampleRate_);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Float);
    return format;
}

bool TrackStream::seekFrame(std::int64_t frame) {
    frame = std::clamp<std::int64_t>(frame, 0, frames_);
    if (!decoder_->seek(dataStart_ + frame * fileFrameBytes)) return false;
    next_ = frame;
    return true;
}

void TrackStream::setGains(float left, float right) {
    leftGain_.store(left, std::memory_order_relaxed);
    rightGain_.store(right, std::memory_order_relaxed);
}

qint64 TrackStream::readData(char* data, qint64 maxSize) {
    const float left = leftGain_.load(std::memory_order_relaxed);
    const float right = rightGain_.load(std::memory_order_relaxed);
    auto* out = reinterpret_cast<float*>(data);
    qint64 wanted = std::min<qint64>(maxSize / outFrameBytes, frames_ - next_);
    qint64 written = 0;
    std::array<std::int16_t, 2 * 1024> chunk;
    while (wanted > 0) {
        const qint64 frames = std::min<qint64>(wanted, chunk.size() / channels);
        const qint64 got = decoder_->read(reinterpret_cast<char*>(chunk.data()), frames * fileFrameBytes) / fileFrameBytes;
        if (got <= 0) { // a file shorter than its header says ends here
            next_ = frames_;
            break;
        }
        for (qint64 i = 0; i < got; ++i) {
            out[2 * (written + i)] = static_cast<float>(chunk[2 * i]) / 32768.0f * left;
            out[2 * (written + i) + 1] = static_cast<float>(chunk[2 * i + 1]) / 32768.0f * right;
        }
        written += got;
        wanted -= got;
        next_ += got;
    }
    return written * outFrameBytes;
}

qint64 TrackStream::writeData(const char*, qint64) { return -1; }

} // namespace zantiva
