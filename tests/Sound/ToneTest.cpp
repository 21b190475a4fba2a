// The test tone as it is rendered, and what the tone player refuses.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Sound/TonePlayer.h"
#include "Sound/ToneSource.h"

namespace zantiva::testing {
namespace {

// Frames of the source read in blocks of the given sizes, as (left, right) pairs.
std::vector<std::pair<float, float>> render(ToneSource& source, std::initializer_list<int> blockFrames) {
    source.open(QIODevice::ReadOnly);
    std::vector<std::pair<float, float>> frames;
    for (int block : blockFrames) {
        std::vector<float> buffer(2 * block);
        EXPECT_EQ(source.read(reinterpret_cast<char*>(buffer.data()), buffer.size() * sizeof(float)),
                  static_cast<qint64>(buffer.size() * sizeof(float)));
        for (int i = 0; i < block; ++i) frames.emplace_back(buffer[2 * i], buffer[2 * i + 1]);
    }
    return frames;
}

TEST(ToneSource, EachChannelGetsTheToneTheOtherSilenceWhateverTheBlockSizes) {
    constexpr std::int64_t total = 76'800; // 1.6 s
    ToneSource left(AudioChannel::left, total), right(AudioChannel::right, total), both(AudioChannel::both, total);
    const auto l = render(left, {512, 4096, 333, 76'800 - 512 - 4096 - 333 + 100});
    const auto r = render(right, {76'900});
    const auto b = render(both, {1, 76'899});
    ASSERT_EQ(l.size(), 76'900u);
    for (std::size_t n = 0; n < l.size(); ++n) {
        const float expected = ToneSource::sample(static_cast<std::int64_t>(n), total);
        ASSERT_EQ(l[n], std::pair(expected, 0.0f)) << n;
        ASSERT_EQ(r[n], std::pair(0.0f, expected)) << n;
        ASSERT_EQ(b[n], std::pair(expected, expected)) << n;
    }
}

TEST(ToneSource, RampsInAndOutOver30MillisecondsAndIsSilentAfterItsEnd) {
    constexpr std::int64_t total = 76'800;
    const auto unramped = [](std::int64_t n) { return static_cast<float>(std::sin(n * 2764.601535159018 / 48'000)) * 0.4f; };
    EXPECT_EQ(ToneSource::sample(0, total), 0.0f);
    EXPECT_FLOAT_EQ(ToneSource::sample(720, total), unramped(720) * 0.5f);
    EXPECT_EQ(ToneSource::sample(1440, total), unramped(1440));
    EXPECT_FLOAT_EQ(ToneSource::sample(total - 720, total), unramped(total - 720) * 0.5f);
    EXPECT_EQ(ToneSource::sample(total, total), 0.0f);
    EXPECT_EQ(ToneSource::sample(total + 5000, total), 0.0f);
    float loudest = 0;
    for (std::int64_t n = 0; n < total; ++n) loudest = std::max(loudest, std::abs(ToneSource::sample(n, total)));
    EXPECT_NEAR(loudest, 0.4f, 1e-4);
    for (std::int64_t n = 0; n < 48'000; ++n) ASSERT_EQ(ToneSource::sample(n, 0), 0.0f) << "a zero-second tone is silence";
}

TEST(TonePlayer, ALengthThatIsNoNumberNegativeOrOverAMinuteIsRefused) {
    TonePlayer player;
    for (double seconds : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                           -0.5, 60.01, 1e300}) {
        EXPECT_FALSE(player.play(AudioChannel::left, seconds)) << seconds;
        EXPECT_FALSE(player.isPlaying());
    }
    player.stop(); // harmless when idle
    EXPECT_FALSE(player.isPlaying());
}

} // namespace
} // namespace zantiva::testing
