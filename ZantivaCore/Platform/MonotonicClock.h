#pragma once

#include <cstdint>

namespace zantiva {

// Nanoseconds of CLOCK_MONOTONIC_RAW: not slewed by NTP, so intervals between two
// readings measure work, never clock corrections. Every engine times with it.
std::uint64_t monotonicRawNanoseconds();

// Nanoseconds → milliseconds and seconds as the engines report them.
inline double nanosecondsToMilliseconds(std::uint64_t ns) { return static_cast<double>(ns) / 1'000'000.0; }
inline double nanosecondsToSeconds(std::uint64_t ns) { return static_cast<double>(ns) / 1'000'000'000.0; }

} // namespace zantiva
