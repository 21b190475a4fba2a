#pragma once

#include <cstdint>

namespace zantiva {

// How big and how long a storage benchmark is.
struct StorageBenchmarkConfiguration {
    std::int64_t fileSize = 1'073'741'824; // test file, bytes
    int runsPerTest = 5;                   // measured runs of each test; fewer than 1 counts as 1
    double measureSeconds = 5.0;           // length of each measured run
    double settleSeconds = 3.0;            // pause before every test but the first; 0 or less: none

    static StorageBenchmarkConfiguration standard() { return {}; }

    // The smallest file: one sequential request.
    static constexpr std::int64_t minimumFileSize = 1'048'576;

    // Throws std::invalid_argument unless the file holds at least one sequential request in
    // whole 4096-byte blocks (direct I/O moves whole blocks only) and the measuring time is
    // finite and not negative.
    void validate() const;

    // The engine's estimate of a whole run, in seconds.
    double estimatedSeconds(int testCount) const;

    bool operator==(const StorageBenchmarkConfiguration&) const = default;
};

} // namespace zantiva
