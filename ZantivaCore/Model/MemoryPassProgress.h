#pragma once

#include <array>
#include <cstdint>

namespace zantiva {

// The bytes the memory test writes and reads back, one pass each.
inline constexpr std::array<std::uint8_t, 3> memoryTestPatterns{0x00, 0xFF, 0xAA};

// Where the memory test stands, as its station page shows it.
struct MemoryPassProgress {
    int pass = 0;              // 1 … the number of patterns
    std::uint8_t pattern = 0;
    bool verifying = false;    // false while writing
    double fraction = 0;       // 0 … 1 of the whole test

    bool operator==(const MemoryPassProgress&) const = default;
};

} // namespace zantiva
