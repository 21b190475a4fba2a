#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "Probes/AudioAnalysis.h"

namespace zantiva {
namespace {

std::vector<float> sine(double frequency, double amplitude, double sampleRate, std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * i / sampleRate));
    return samples;
}

std::vector<float> alternating(float amplitude, std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) samples[i] = i % 2 ? -amplitude : amplitude;
    return samples;
}

TEST(AudioLevel, MapsMinusSixtyToZeroDecibelsOntoZeroToOne) {
    EXPECT_EQ(AudioAnalysis::level({}), 0);
    EXPECT_EQ(AudioAnalysis::level(std::vector<float>(256, 0.0f)), 0);
    EXPECT_EQ(AudioAnalysis::level(alternating(1.0f, 256)), 1);
    EXPECT_NEAR(AudioAnalysis::level(sine(1000, 1.0, 48000, 4800)), (60 - 10 * std::log10(2.0)) / 60, 1e-4);
    EXPECT_EQ(AudioAnalysis::level(alternating(0.0001f, 256)), 0);   // −80 dB is clamped
    EXPECT_NEAR(AudioAnalysis::level(alternating(0.01f, 256)), 1.0 / 3.0, 1e-4);
    EXPECT_NEAR(AudioAnalysis::level(alternating(2.0f, 256)), 1, 0);  // above full scale is clamped
    std::vector<float> withNan(64, 0.5f);
    withNan[3] = std::nanf("");
    EXPECT_EQ(AudioAnalysis::level(withNan), 0);
}

TEST(AudioPitch, FindsTheFundamentalOfASine) {
    EXPECT_DOUBLE_EQ(AudioAnalysis::pitch(sine(1000, 0.5, 48000, 4800), 48000).value(), 1000.0);
    EXPECT_DOUBLE_EQ(AudioAnalysis::pitch(sine(441, 0.5, 44100, 4096), 44100).value(), 441.0);
    // A long period (400 samples) within one lag: the unnormalised sums favour the
    // shorter neighbour by a hair.
    EXPECT_NEAR(AudioAnalysis::pitch(sine(120, 0.8, 48000, 4096), 48000).value(), 120.0, 0.31);
}

TEST(AudioPitch, AbsentForShortQuietOrAperiodicBuffers) {
    EXPECT_FALSE(AudioAnalysis::pitch(sine(1000, 1.0, 48000, 511), 48000));
    EXPECT_TRUE(AudioAnalysis::pitch(sine(1000, 1.0, 48000, 512), 48000));
    EXPECT_FALSE(AudioAnalysis::pitch(sine(1000, 0.001, 48000, 4800), 48000));

    std::mt19937 generator(7);
    std::uniform_real_distribution<float> noise(-0.9f, 0.9f);
    std::vector<float> white(4800);
    for (auto& s : white) s = noise(generator);
    EXPECT_FALSE(AudioAnalysis::pitch(white, 48000));
}

TEST(AudioPitch, ImpossibleSampleRatesGiveNothingAndNeverCrash) {
    const auto tone = sine(1000, 0.5, 48000, 4800);
    for (double rate : {0.0, -48000.0, 1e300, std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), std::nan("")}) {
        const auto found = AudioAnalysis::pitch(tone, rate);
        if (found) {
            EXPECT_TRUE(std::isfinite(*found)) << rate;
        }
        if (!(rate > 0)) {
            EXPECT_FALSE(found) << rate;
        }
    }
}

} // namespace
} // namespace zantiva
