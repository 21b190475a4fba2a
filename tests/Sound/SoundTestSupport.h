#pragma once

// Sound made and heard back in the tests: WAV files written sample by sample, and what the
// sound server's input (fed by its output) captured, cut into blocks per channel.

#include <QAudioSource>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "Probes/AudioAnalysis.h"
#include "Support/AwaitTask.h"

namespace zantiva::testing {

// A 16-bit stereo PCM WAV of that many frames; frame(i) gives the left and right samples.
inline void writeWave(const std::filesystem::path& file, std::int64_t frames,
                      const std::function<std::pair<std::int16_t, std::int16_t>(std::int64_t)>& frame,
                      int rate = 48'000, int channels = 2) {
    std::ofstream out(file, std::ios::binary);
    const auto le = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    const auto dataBytes = static_cast<std::uint32_t>(frames * channels * 2);
    out.write("RIFF", 4);
    le(36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    for (auto [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {static_cast<unsigned>(channels), 2},
                                {static_cast<unsigned>(rate), 4}, {static_cast<unsigned>(rate * channels * 2), 4},
                                {static_cast<unsigned>(channels * 2), 2}, {16u, 2}})
        le(value, bytes);
    out.write("data", 4);
    le(dataBytes, 4);
    for (std::int64_t i = 0; i < frames; ++i) {
        const auto [left, right] = frame(i);
        le(static_cast<std::uint16_t>(left), 2);
        if (channels == 2) le(static_cast<std::uint16_t>(right), 2);
    }
}

// A steady 440 Hz sine of that amplitude (of full scale) on both channels.
inline std::pair<std::int16_t, std::int16_t> sine440(std::int64_t frame, double amplitude) {
    const auto value = static_cast<std::int16_t>(std::lround(32767 * amplitude * std::sin(2 * std::numbers::pi * 440 * frame / 48'000.0)));
    return {value, value};
}

// The level AudioAnalysis gives a sine of that amplitude.
inline double sineLevel(double amplitude) { return (20 * std::log10(amplitude / std::sqrt(2.0)) + 60) / 60; }

// One 4096-frame block of a capture: each channel's level and pitch.
struct CapturedBlock {
    double leftLevel;
    double rightLevel;
    std::optional<double> leftPitch;
    std::optional<double> rightPitch;
};

// What the input hands over, kept as float samples. The source writes into it (rather than
// being read) so that the test never calls into a stream the source has let go.
class Recording : public QIODevice {
public:
    Recording() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    std::vector<float> samples;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const auto* floats = reinterpret_cast<const float*>(data);
        samples.insert(samples.end(), floats, floats + size / static_cast<qint64>(sizeof(float)));
        return size;
    }
};

// Listens on the default input (the output's monitor) in 48 kHz float stereo from construction.
class Capture {
public:
    static constexpr int blockFrames = 4096;

    Capture() {
        QAudioFormat format;
        format.setSampleRate(48'000);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Float);
        source_ = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), format);
        source_->start(&recording_);
    }
    ~Capture() { source_->stop(); }

    bool isListening() const { return source_->error() == QAudio::NoError && source_->state() != QAudio::StoppedState; }
    // Waits until the input delivers sound; the server takes a moment to start a stream.
    bool awaitFlow() {
        return runUntil([this] { return !recording_.samples.empty(); }, std::chrono::seconds(10));
    }
    // Lets that much time pass, then forgets everything heard so far.
    void skip(std::chrono::milliseconds time) {
        listen(time);
        recording_.samples.clear();
    }
    void listen(std::chrono::milliseconds time) {
        QElapsedTimer timer;
        timer.start();
        runUntil([&] { return timer.elapsed() >= time.count(); }, time + std::chrono::seconds(1));
    }
    // Listens until `enough` holds of the blocks captured so far, looking again as each block
    // completes; false when `patience` passed first. A busy machine may play or capture late.
    bool listenUntil(const std::function<bool(const std::vector<CapturedBlock>&)>& enough,
                     std::chrono::milliseconds patience = std::chrono::seconds(30)) {
        std::size_t seen = 0;
        return runUntil([&] {
            const std::size_t whole = recording_.samples.size() / (2 * blockFrames);
            if (whole == seen) return false;
            seen = whole;
            return enough(blocks());
        }, patience);
    }
    // The blocks captured so far, in order.
    std::vector<CapturedBlock> blocks() const {
        const std::vector<float>& samples = recording_.samples;
        std::vector<CapturedBlock> out;
        std::vector<float> left(blockFrames), right(blockFrames);
        for (std::size_t start = 0; start + 2 * blockFrames <= samples.size(); start += 2 * blockFrames) {
            for (int i = 0; i < blockFrames; ++i) {
                left[i] = samples[start + 2 * i];
                right[i] = samples[start + 2 * i + 1];
            }
            out.push_back({AudioAnalysis::level(left), AudioAnalysis::level(right), AudioAnalysis::pitch(left, 48'000),
                           AudioAnalysis::pitch(right, 48'000)});
        }
        return out;
    }

private:
    Recording recording_;
    std::unique_ptr<QAudioSource> source_;
};

} // namespace zantiva::testing
