#include "Probes/InstalledMemory.h"

#include <charconv>

#include "Probes/MemInfo.h"

namespace zantiva {

std::uint64_t installedMemoryBytes(const ProbeRoot& root) {
    const std::string base = "/sys/devices/system/memory/";
    std::uint64_t blockSize = 0;
    if (auto hex = root.text(base + "block_size_bytes")) {
        const auto [end, ec] = std::from_chars(hex->data(), hex->data() + hex->size(), blockSize, 16);
        if (ec != std::errc() || end != hex->data() + hex->size()) blockSize = 0;
    }
    std::uint64_t blocks = 0;
    if (blockSize > 0)
        for (const auto& name : root.entries(base))
            if (numberAfter(name, "memory") && root.integer(base + name + "/online").value_or(1) == 1) ++blocks;
    if (blocks > 0) return blocks * blockSize;
    return MemInfo::read(root).totalBytes;
}

} // namespace zantiva
