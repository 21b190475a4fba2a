#include "Probes/AudioAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zantiva::AudioAnalysis {

namespace {

constexpr double lowestPitchHz = 70;
constexpr double highestPitchHz = 1200;
constexpr std::size_t minimumSamples = 512;
constexpr double minimumLevel = 0.25;       // about −45 dB of full scale
constexpr float minimumCorrelation = 0.3f;  // of the buffer's energy

// Single precision, in index order: the sums are part of the result.
float sumOfSquares(std::span<const float> samples) {
    float sum = 0;
    for (float s : samples) sum += s * s;
    return sum;
}

} // namespace

double level(std::span<const float> samples) {
    if (samples.empty()) return 0;
    const float meanSquare = sumOfSquares(samples) / static_cast<float>(samples.size());
    if (!(meanSquare > 0)) return 0;   // also a not-a-number mean
    const double value = (10.0 * std::log10(static_cast<double>(meanSquare)) + 60.0) / 60.0;
    return std::clamp(value, 0.0, 1.0);
}

std::optional<double> pitch(std::span<const float> samples, double sampleRate) {
    const std::size_t n = samples.size();
    if (n < minimumSamples) return std::nullopt;
    // Bounds compared as doubles so that any rate (zero, negative, huge or not a number)
    // gives an empty range rather than an overflow.
    const double longestLag = std::trunc(sampleRate / lowestPitchHz);
    const double shortestLag = std::max(std::trunc(sampleRate / highestPitchHz), 2.0);
    const double topLag = std::min(static_cast<double>(n / 2), longestLag);
    if (!(shortestLag < topLag)) return std::nullopt;
    if (!(level(samples) > minimumLevel)) return std::nullopt;

    const float energy = sumOfSquares(samples);
    const auto first = static_cast<std::size_t>(shortestLag);
    const auto last = static_cast<std::size_t>(topLag);
    std::size_t bestLag = 0;
    float bestSum = 0;
    for (std::size_t lag = first; lag <= last; ++lag) {
        float sum = 0;
        for (std::size_t i = 0; i + lag < n; ++i) sum += samples[i] * samples[i + lag];
        if (sum > bestSum) {   // strictly greater: on a tie the shorter lag stays
            bestSum = sum;
            bestLag = lag;
        }
    }
    if (bestLag == 0 || !(bestSum > minimumCorrelation * energy)) return std::nullopt;
    return sampleRate / static_cast<double>(bestLag);
}

} // namespace zantiva::AudioAnalysis
