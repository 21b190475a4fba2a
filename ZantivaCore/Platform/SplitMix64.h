#pragma once

#include <cstdint>

namespace zantiva {

// The published SplitMix64 generator: tiny, fast and good enough to spread the storage
// test's random offsets and the washer's noise. All arithmetic wraps modulo 2^64.
struct SplitMix64 {
    std::uint64_t state;

    constexpr explicit SplitMix64(std::uint64_t seed) : state(seed) {}

    static constexpr std::uint64_t step = 0x9E3779B97F4A7C15ULL;

    constexpr std::uint64_t next() {
        state += step;
        return mix(state);
    }

    // The output function: spreads neighbouring inputs over the whole range; 0 stays 0.
    static constexpr std::uint64_t mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
};

} // namespace zantiva
