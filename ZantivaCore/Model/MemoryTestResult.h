#pragma once

#include <cstdint>

#include "Model/JsonCodec.h"

namespace zantiva {

// The final result of the memory test.
struct MemoryTestResult {
    std::int64_t testedBytes = 0;              // buffer every pattern was written to and read back from
    double averageWriteThroughputMBps = 0;     // MiB (2^20 bytes) per second
    double averageReadThroughputMBps = 0;      // verify rate, MiB per second
    std::int64_t errorsDetected = 0;           // bytes that read back wrong, over all passes
    double durationSeconds = 0;

    // Something was tested and nothing read back wrong.
    bool passed() const { return errorsDetected == 0 && testedBytes > 0; }

    bool operator==(const MemoryTestResult&) const = default;
    json::Json toJson() const;
    static MemoryTestResult fromJson(const json::Json& j);
};

} // namespace zantiva
