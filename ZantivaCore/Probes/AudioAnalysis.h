#pragma once

#include <optional>
#include <span>

namespace zantiva {

// The arithmetic behind the microphone check's live level and pitch. Pure: no state, no
// allocation, no blocking, so it may run on the audio thread for every buffer.
namespace AudioAnalysis {

// Loudness of a buffer of linear samples (full scale ±1.0): 0 at −60 dB of full scale or
// quieter, 1 at 0 dB, linear in dB between.
double level(std::span<const float> samples);

// The fundamental frequency in Hz (70 to 1200), by time-domain autocorrelation; absent
// for buffers shorter than 512 samples, quieter than about −45 dB, or not periodic enough.
std::optional<double> pitch(std::span<const float> samples, double sampleRate);

} // namespace AudioAnalysis

} // namespace zantiva
