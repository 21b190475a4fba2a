#pragma once

#include <cstdint>

#include "Model/JsonCodec.h"

namespace zantiva {

// The figures of one measured storage test.
struct StorageTestMeasurement {
    double mbps = 0;             // MB/s, 1 MB = 10^6 bytes
    double iops = 0;             // completed requests per second
    double averageLatencyMs = 0; // mean time of one request

    // From the totals of a run over its nominal measuring time; 0 where a divisor is 0.
    static StorageTestMeasurement fromTotals(std::int64_t bytes, std::int64_t operations, double seconds,
                                             double totalLatencySeconds);

    double mibps() const; // MiB/s
    bool hasValue() const { return mbps > 0; }

    json::Json toJson() const;
    static StorageTestMeasurement fromJson(const json::Json& j);

    bool operator==(const StorageTestMeasurement&) const = default;
};

} // namespace zantiva
