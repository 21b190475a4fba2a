#pragma once

#include <cstdint>

namespace zantiva {

// Where the memory test stands, as its station page shows it.
struct MemoryPassProgress {
    int pass = 0;              // 1 … the number of patterns
    std::uint8_t pattern = 0;
    bool verifying = false;    // false while writing
    double fraction = 0;       // 0 … 1 of the whole test

    bool operator==(const MemoryPassProgress&) const = default;
};

} // namespace zantiva
