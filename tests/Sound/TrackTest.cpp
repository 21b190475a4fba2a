// The music track: the file the build writes, how a WAV file is streamed with its gains, and
// the track player's controls on the sound server of scripts/with-services.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cmath>
#include <limits>

#include "../Support/TemporaryFolder.h"
#include "SoundTestSupport.h"
#include "Sound/TrackPlayer.h"
#include "Sound/TrackStream.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

std::vector<float> readAll(TrackStream& stream, qint64 frames) {
    std::vector<float> samples(2 * frames);
    const qint64 got = stream.read(reinterpret_cast<char*>(samples.data()), samples.size() * sizeof(float));
    samples.resize(got / sizeof(float));
    return samples;
}

TEST(SpeakerTrack, TheBuildsTrackIsFortySecondsOfMusicOnBothSidesPeakingAtMinusOneDecibel) {
    const std::optional<QString> path = TrackPlayer::trackPath();
    ASSERT_TRUE(path) << "the bundle holds Audio/speaker-test-track.wav";
    auto stream = TrackStream::open(*path);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->sampleRate(), 48'000);
    EXPECT_NEAR(static_cast<double>(stream->frames()) / 48'000, 40, 1);
    const std::vector<float> samples = readAll(*stream, stream->frames());
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(2 * stream->frames()));

    float peak = 0;
    for (float sample : samples) peak = std::max(peak, std::abs(sample));
    EXPECT_NEAR(20 * std::log10(peak), -1.0, 0.05);

    // Each second's loudness per side: a quiet opening, then both sides carry the tune alike.
    const auto loudness = [&](int second, int side) {
        std::vector<float> channel;
        for (int i = 0; i < 48'000; ++i) channel.push_back(samples[2 * (second * 48'000 + i) + side]);
        return AudioAnalysis::level(channel);
    };
    for (int second = 6; second < 34; ++second) {
        EXPECT_GT(loudness(second, 0), loudness(1, 0) + 0.15) << "the opening is quiet next to second " << second;
        EXPECT_NEAR(loudness(second, 0), loudness(second, 1), 0.05) << second;
    }
}

TEST(TrackStream, ReadsFromTheChosenFrameToTheEndTimesEachSidesGain) {
    TemporaryFolder folder;
    writeWave(folder / "ramp.wav", 1000, [](std::int64_t i) {
        return std::pair<std::int16_t, std::int16_t>(static_cast<std::int16_t>(i * 16), static_cast<std::int16_t>(-i * 16));
    });
    auto stream = TrackStream::open(QString::fromStdString((folder / "ramp.wav").string()));
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->frames(), 1000);
    ASSERT_TRUE(stream->seekFrame(990));
    stream->setGains(0.5f, 0.0f);
    const std::vector<float> tail = readAll(*stream, 64);
    ASSERT_EQ(tail.size(), 20u) << "ten frames were left";
    EXPECT_FLOAT_EQ(tail[0], 990 * 16 / 32768.0f * 0.5f);
    EXPECT_EQ(tail[1], 0.0f);
    EXPECT_TRUE(stream->atEnd());
    ASSERT_TRUE(stream->seekFrame(0));
    stream->setGains(1, 1);
    EXPECT_EQ(readAll(*stream, 2), (std::vector<float>{0, 0, 16 / 32768.0f, -16 / 32768.0f}));
}

TEST(TrackStream, RefusesWhatIsNoStereo16BitTrack) {
    TemporaryFolder folder;
    writeRaw(folder / "text.wav", "not a wave file at all, only words");
    writeWave(folder / "empty.wav", 0, [](std::int64_t) { return std::pair<std::int16_t, std::int16_t>(0, 0); });
    writeWave(folder / "mono.wav", 100, [](std::int64_t) { return std::pair<std::int16_t, std::int16_t>(1, 1); }, 48'000, 1);
    for (const char* name : {"text.wav", "empty.wav", "mono.wav", "missing.wav"})
        EXPECT_FALSE(TrackStream::open(QString::fromStdString((folder / name).string()))) << name;
}

TEST(TrackPlayer, WithoutATrackNothingPlaysAndTheLevelStillFollowsTheUser) {
    TrackPlayer player(std::nullopt);
    EXPECT_FALSE(player.play(AudioChannel::left));
    EXPECT_FALSE(player.isLoaded());
    player.togglePause();
    EXPECT_FALSE(player.isPaused());

    player.setVolume(1.5f);
    EXPECT_EQ(player.volume(), 1.0f);
    player.setVolume(-1);
    EXPECT_EQ(player.volume(), 0.0f);
    player.setVolume(0.8f);
    player.setVolume(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(player.volume(), 0.0f) << "not a number is silence";
    player.setVolume(0.7f);
    player.toggleMute();
    EXPECT_TRUE(player.isMuted());
    player.setVolume(0.6f);
    EXPECT_FALSE(player.isMuted()) << "a level chosen by hand unmutes";
}

class TrackPlayerOnServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull()) << "run under scripts/with-services";
        writeWave(folder / "tone.wav", 48'000 * 3, [](std::int64_t i) { return sine440(i, 0.5); });
    }
    QString track() const { return QString::fromStdString((folder / "tone.wav").string()); }

    TemporaryFolder folder;
};

TEST_F(TrackPlayerOnServer, SeeksAreClampedPausedStaysPausedAndTheEndStops) {
    TrackPlayer player(track());
    QSignalSpy changes(&player, &TrackPlayer::changed);
    ASSERT_TRUE(player.play(AudioChannel::right));
    EXPECT_TRUE(player.isLoaded());
    EXPECT_EQ(player.channel(), AudioChannel::right);
    EXPECT_EQ(player.duration(), 3.0);
    EXPECT_EQ(player.volume(), 0.5f);
    EXPECT_GE(changes.count(), 1);

    player.togglePause();
    player.seek(1.25);
    EXPECT_TRUE(player.isPaused());
    EXPECT_EQ(player.position(), 1.25);
    player.seek(std::nan(""));
    EXPECT_EQ(player.position(), 0.0) << "not a number seeks to the start";
    player.seek(-4);
    EXPECT_EQ(player.position(), 0.0);
    player.togglePause();
    EXPECT_FALSE(player.isPaused());

    player.seek(2.8);
    ASSERT_TRUE(runUntil([&] { return !player.isLoaded(); }, 10s)) << "the end of the track stops it";
    EXPECT_EQ(player.position(), 0.0);
    EXPECT_FALSE(player.isPaused());
    EXPECT_EQ(player.duration(), 3.0);

    ASSERT_TRUE(player.play(AudioChannel::both));
    player.seek(3.0);
    EXPECT_FALSE(player.isLoaded()) << "a seek to the end stops at once";
}

TEST_F(TrackPlayerOnServer, MutingFreezesTheFadeAndTheNextPlayStartsThereWithoutOne) {
    TrackPlayer player(track());
    ASSERT_TRUE(player.play(AudioChannel::both));
    ASSERT_TRUE(runUntil([&] { return player.volume() > 0.55f; }, 5s));
    player.toggleMute();
    const float reached = player.volume();
    runUntil([] { return false; }, 400ms);
    EXPECT_EQ(player.volume(), reached);
    player.toggleMute();
    ASSERT_TRUE(player.play(AudioChannel::left));
    runUntil([] { return false; }, 400ms);
    EXPECT_EQ(player.volume(), reached);
    EXPECT_FALSE(player.isMuted());
}

} // namespace
} // namespace zantiva::testing
