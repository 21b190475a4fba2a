// The microphone monitor on the test sound server: a tone played to the null output comes
// back through the virtual input that its monitor feeds.

#include <gtest/gtest.h>

#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <cmath>
#include <numbers>

#include "../Support/AwaitTask.h"
#include "Media/MediaDevices.h"
#include "Media/MicrophoneMonitor.h"

namespace zantiva::testing {
namespace {

// A sine of the frequency and peak, as mono float samples, played once to the default output.
class TonePlayback {
public:
    TonePlayback(double frequency, double peak, double seconds) {
        QAudioFormat format;
        format.setSampleRate(48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Float);
        const auto frames = static_cast<int>(seconds * format.sampleRate());
        samples_.resize(static_cast<qsizetype>(frames * sizeof(float)));
        auto* out = reinterpret_cast<float*>(samples_.data());
        for (int i = 0; i < frames; ++i)
            out[i] = static_cast<float>(peak * std::sin(2 * std::numbers::pi * frequency * i / format.sampleRate()));
        buffer_.setBuffer(&samples_);
        buffer_.open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
        sink_->start(&buffer_);
    }
    ~TonePlayback() { sink_->stop(); }

private:
    QByteArray samples_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

bool withoutSoundServer() { return qEnvironmentVariableIsSet("ZANTIVA_NO_SOUND_SERVER"); }

TEST(MicrophoneMonitor, ReadsTheLevelAndPitchOfAToneAndStopsToSilence) {
    if (withoutSoundServer()) GTEST_SKIP() << "needs the sound server";
    ASSERT_TRUE(MediaDevices::hasMicrophone()) << "run under scripts/with-services";
    MicrophoneMonitor monitor;
    int runningChanges = 0;
    QObject::connect(&monitor, &MicrophoneMonitor::isRunningChanged, [&] { ++runningChanges; });
    ASSERT_TRUE(monitor.start());
    EXPECT_TRUE(monitor.start()) << "a second start is no second listening";
    EXPECT_EQ(runningChanges, 1);

    // 440 Hz at half of full scale: a mean square of 1/8, about -9 dB, which is level 0.85.
    TonePlayback tone(440, 0.5, 4);
    // The level rises over the first blocks: read it once it holds still.
    const auto steady = runUntilSteady(
        [&] { return monitor.pitchHz() ? std::optional<double>(monitor.level()) : std::nullopt; }, 0.01,
        std::chrono::milliseconds(400), std::chrono::seconds(10));
    ASSERT_TRUE(steady);
    EXPECT_NEAR(*steady, 0.85, 0.03);
    EXPECT_NEAR(*monitor.pitchHz(), 440, 440 * 0.02);

    monitor.stop();
    EXPECT_FALSE(monitor.isRunning());
    EXPECT_EQ(monitor.level(), 0);
    EXPECT_FALSE(monitor.pitchHz());
    // Blocks still in analysis when it stopped publish nothing.
    runUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(monitor.level(), 0);
    // And it listens again.
    ASSERT_TRUE(monitor.start());
    EXPECT_TRUE(runUntil([&] { return monitor.level() > 0.8; }, std::chrono::seconds(10)));
}

TEST(MicrophoneMonitor, StopBeforeAnyStartTellsNoOne) {
    MicrophoneMonitor monitor;
    int changes = 0;
    for (auto signal : {&MicrophoneMonitor::levelChanged, &MicrophoneMonitor::pitchHzChanged,
                        &MicrophoneMonitor::isRunningChanged})
        QObject::connect(&monitor, signal, [&] { ++changes; });
    monitor.stop();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(monitor.level(), 0);
}

TEST(MicrophoneMonitor, WithoutSoundServerThereIsNoMicrophoneAndNothingStarts) {
    if (!withoutSoundServer()) GTEST_SKIP() << "runs as MediaWithoutSoundServer";
    EXPECT_FALSE(MediaDevices::hasMicrophone());
    MicrophoneMonitor monitor;
    EXPECT_FALSE(monitor.start());
    EXPECT_FALSE(monitor.isRunning());
    EXPECT_TRUE(awaitTask(MediaDevices::requestAccess(MediaType::audio)));
}

} // namespace
} // namespace zantiva::testing
