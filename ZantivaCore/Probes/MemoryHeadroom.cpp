#include "Probes/MemoryHeadroom.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"
#include "Probes/ControlGroup.h"
#include "Probes/MemInfo.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

std::uint64_t less(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

std::optional<std::uint64_t> least(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::optional<std::uint64_t> unsignedValue(std::optional<std::int64_t> value) {
    if (!value || *value < 0) return std::nullopt;
    return static_cast<std::uint64_t>(*value);
}

// The files of a memory group in each version of the cgroup file system.
struct GroupFiles {
    std::string_view limits[2];
    std::string_view usage;
    // memory.stat's rows: the whole file cache, and the parts of it the kernel can't simply
    // drop (dirty, under writeback, tmpfs and shared memory). v1 counts a group's own pages and,
    // under rows prefixed "total_", its subgroups' too, as its usage does.
    std::string_view statPrefix;
    std::string_view cache;
    std::string_view kept[3];
};

constexpr GroupFiles version2{{"memory.max", "memory.high"}, "memory.current", "", "file",
                              {"file_dirty", "file_writeback", "shmem"}};
constexpr GroupFiles version1{{"memory.limit_in_bytes", {}}, "memory.usage_in_bytes", "total_", "cache",
                              {"dirty", "writeback", "shmem"}};

std::uint64_t statRow(std::string_view stat, const GroupFiles& files, std::string_view row) {
    if (const auto total = rowNumber(stat, std::string(files.statPrefix) + std::string(row))) return *total;
    return rowNumber(stat, row).value_or(0);
}

// The file cache the kernel gives back when the group needs room, active or not: a group
// whose use is mostly cache still takes a buffer several times its free memory.
std::uint64_t reclaimableCache(const ProbeRoot& root, const fs::path& folder, const GroupFiles& files) {
    const std::string stat = root.bytes(folder / "memory.stat").value_or("");
    std::uint64_t kept = 0;
    for (const std::string_view row : files.kept) kept += statRow(stat, files, row);
    return less(statRow(stat, files, files.cache), kept);
}

// Room left under the limits of one group folder; absent when it sets none.
std::optional<std::uint64_t> roomInGroup(const ProbeRoot& root, const fs::path& folder, const GroupFiles& files) {
    std::optional<std::uint64_t> limit;
    for (const std::string_view name : files.limits)
        if (!name.empty()) limit = least(limit, unsignedValue(root.integer(folder / name)));   // "max" reads as none
    if (!limit) return std::nullopt;
    const std::uint64_t used = unsignedValue(root.integer(folder / files.usage)).value_or(0);
    return less(*limit, less(used, reclaimableCache(root, folder, files)));
}

std::optional<std::uint64_t> roomInGroups(const ProbeRoot& root) {
    std::optional<std::uint64_t> room;
    for (const ControlGroupFolders& hierarchy : controlGroupFolders(root, "memory"))
        for (const fs::path& folder : hierarchy.folders)
            room = least(room, roomInGroup(root, folder, hierarchy.version == 2 ? version2 : version1));
    return room;
}

// "Max address space   4294967296   unlimited   bytes" of /proc/self/limits, less VmSize.
std::optional<std::uint64_t> roomInAddressSpace(const ProbeRoot& root) {
    constexpr std::string_view row = "Max address space";
    const std::string text = root.bytes("/proc/self/limits").value_or("");
    for (const std::string_view line : procLines(text)) {
        if (!line.starts_with(row)) continue;
        ProcLine values(line.substr(row.size()));
        const auto limit = unsignedValue(parseInteger(values.name()));   // "unlimited": none
        if (!limit) return std::nullopt;
        const auto heldKiB = root.tableNumber("/proc/self/status", "VmSize:");
        return less(*limit, heldKiB.value_or(0) * 1024);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint64_t> MemoryHeadroom::freeBytes() const {
    return least(least(availableBytes, groupBytes), addressSpaceBytes);
}

MemoryHeadroom MemoryHeadroom::read(const ProbeRoot& root) {
    MemoryHeadroom headroom;
    if (const MemInfo info = MemInfo::read(root); info.totalBytes > 0) headroom.availableBytes = info.availableBytes;
    headroom.groupBytes = roomInGroups(root);
    headroom.addressSpaceBytes = roomInAddressSpace(root);
    return headroom;
}

} // namespace zantiva
