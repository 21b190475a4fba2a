#pragma once

#include <cstdint>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The two figures of /proc/meminfo that the probes use, in bytes.
struct MemInfo {
    std::uint64_t totalBytes = 0;      // MemTotal
    std::uint64_t availableBytes = 0;  // MemAvailable (MemFree + Buffers + Cached on old kernels)

    static MemInfo read(const ProbeRoot& root);
};

} // namespace zantiva
