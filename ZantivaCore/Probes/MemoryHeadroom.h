#pragma once

#include <cstdint>
#include <optional>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// How much more memory this process may take before the system stops it, by each limit that
// applies. A limit that isn't set or couldn't be read is absent.
struct MemoryHeadroom {
    // MemAvailable: what the whole system can still hand out without swapping.
    std::optional<std::uint64_t> availableBytes;
    // The tightest of the memory cgroup's limits, at every level from the process's own group
    // up (v2 memory.max and memory.high, v1 memory.limit_in_bytes; see controlGroupFolders),
    // less what the group uses beyond the file cache it can give back (all of it, active or not,
    // but what is dirty, under writeback or tmpfs). Past memory.max the kernel kills, it doesn't refuse.
    std::optional<std::uint64_t> groupBytes;
    // RLIMIT_AS less the address space the process already holds.
    std::optional<std::uint64_t> addressSpaceBytes;

    // The least of the three; absent when none is known.
    std::optional<std::uint64_t> freeBytes() const;

    static MemoryHeadroom read(const ProbeRoot& root);
};

} // namespace zantiva
