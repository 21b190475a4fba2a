// What the players send to the sound output, heard back from the server's input (the null
// sink's monitor under scripts/with-services): the side, the level, the pitch, the fade.

#include <gtest/gtest.h>

#include <algorithm>

#include "../Support/TemporaryFolder.h"
#include "SoundTestSupport.h"
#include "Sound/TonePlayer.h"
#include "Sound/TrackPlayer.h"

namespace zantiva::testing {
namespace {

using namespace std::chrono_literals;

// Silence measures 0; a sound on the other side leaks nothing.
constexpr double silent = 0.05;

class SpeakerCapture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(QMediaDevices::defaultAudioOutput().isNull()) << "run under scripts/with-services";
        ASSERT_TRUE(capture.isListening());
        ASSERT_TRUE(capture.awaitFlow());
        capture.skip(200ms);
    }

    Capture capture;
};

// The blocks in which the side sounded at all.
std::vector<CapturedBlock> sounding(const std::vector<CapturedBlock>& blocks, bool left) {
    std::vector<CapturedBlock> out;
    for (const CapturedBlock& block : blocks)
        if ((left ? block.leftLevel : block.rightLevel) > silent) out.push_back(block);
    return out;
}

double median(std::vector<CapturedBlock> blocks, bool left) {
    std::vector<double> levels;
    for (const CapturedBlock& block : blocks) levels.push_back(left ? block.leftLevel : block.rightLevel);
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    return levels[levels.size() / 2];
}

TEST_F(SpeakerCapture, ALeftToneComesBackOnTheLeftOnlyThenARightOneOnTheRight) {
    TonePlayer player;
    for (const AudioChannel side : {AudioChannel::left, AudioChannel::right}) {
        const bool left = side == AudioChannel::left;
        ASSERT_TRUE(player.play(side, 1.0));
        ASSERT_TRUE(player.isPlaying());
        capture.listen(1900ms);
        EXPECT_FALSE(player.isPlaying()) << "the tone ends itself 0.1 s after its length";
        const std::vector<CapturedBlock> blocks = capture.blocks();
        capture.skip(0ms);

        const std::vector<CapturedBlock> heard = sounding(blocks, left);
        // 1 s is over 11 blocks; the ramps and the blocks cut at either end may fall short.
        ASSERT_GE(heard.size(), 8u) << (left ? "left" : "right");
        EXPECT_TRUE(sounding(blocks, !left).empty()) << "nothing on the other side";
        int steady = 0;
        for (const CapturedBlock& block : heard) {
            const double level = left ? block.leftLevel : block.rightLevel;
            const std::optional<double> pitch = left ? block.leftPitch : block.rightPitch;
            if (level < sineLevel(0.4) - 0.02) continue; // a ramp or the edge of the tone
            ++steady;
            EXPECT_NEAR(level, sineLevel(0.4), 0.02);
            ASSERT_TRUE(pitch);
            EXPECT_NEAR(*pitch, 440, 5);
        }
        EXPECT_GE(steady, 6);
    }
}

TEST_F(SpeakerCapture, TheTrackMovesWithItsChannelAndFadesInFromHalfToFull) {
    TemporaryFolder folder;
    writeWave(folder / "tone.wav", 48'000 * 12, [](std::int64_t i) { return sine440(i, 0.5); });
    // Half the standard fade, so that full level comes soon after the listening below.
    TrackPlayer player(QString::fromStdString((folder / "tone.wav").string()), 3s);

    // Eight blocks sounding on a side are enough to judge it; a busy machine may take far
    // longer than their 0.7 s to deliver them.
    const auto eightOn = [](bool left) {
        return [left](const std::vector<CapturedBlock>& blocks) { return sounding(blocks, left).size() >= 8; };
    };
    ASSERT_TRUE(player.play(AudioChannel::left));
    EXPECT_TRUE(capture.listenUntil(eightOn(true)));
    const std::vector<CapturedBlock> onLeft = capture.blocks();
    capture.skip(0ms);
    player.setChannel(AudioChannel::right);
    capture.skip(500ms); // what the output had buffered before the switch
    EXPECT_TRUE(capture.listenUntil(eightOn(false)));
    const std::vector<CapturedBlock> onRight = capture.blocks();

    EXPECT_TRUE(sounding(onLeft, false).empty());
    EXPECT_TRUE(sounding(onRight, true).empty());

    // The fade ran on while the side changed: by 3 s it is at full level, and stays there.
    capture.skip(0ms);
    ASSERT_TRUE(runUntil([&] { return player.volume() == 1.0f; }, 8s));
    capture.skip(500ms);
    ASSERT_TRUE(capture.listenUntil(eightOn(false)));
    const std::vector<CapturedBlock> full = sounding(capture.blocks(), false);
    // Medians: a busy machine may let the output run dry for a moment, which a block shows as a dip.
    EXPECT_NEAR(median(full, false), sineLevel(0.5), 0.02);
    // From half level at the start: in the first blocks heard the fade was at most half of the way up.
    const double early = median(sounding(onLeft, true), true);
    EXPECT_GT(early, sineLevel(0.25) - 0.01);
    EXPECT_LT(early, sineLevel(0.5) - 0.02);
}

} // namespace
} // namespace zantiva::testing
