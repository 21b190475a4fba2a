#include "Probes/MemoryHeadroom.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"
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

// The first number after a row's name in a table such as memory.stat or a process's status.
std::optional<std::uint64_t> tableNumber(const ProbeRoot& root, const fs::path& file, std::string_view name) {
    const std::string text = root.bytes(file).value_or("");
    for (const std::string_view row : procLines(text)) {
        ProcLine line(row);
        if (line.name() == name) return line.nextNumber();
    }
    return std::nullopt;
}

// The version of the cgroup file system a hierarchy uses, by its mount under /sys/fs/cgroup.
struct GroupFiles {
    std::string_view mount;
    std::string_view limits[2];
    std::string_view usage;
    std::string_view reclaimable; // the row of memory.stat that counts inactive file cache
};

constexpr GroupFiles version2{"/sys/fs/cgroup", {"memory.max", "memory.high"}, "memory.current", "inactive_file"};
constexpr GroupFiles version1{"/sys/fs/cgroup/memory", {"memory.limit_in_bytes", {}}, "memory.usage_in_bytes",
                              "total_inactive_file"};

// Room left under the limits of one group folder; absent when it sets none.
std::optional<std::uint64_t> roomInGroup(const ProbeRoot& root, const fs::path& folder, const GroupFiles& files) {
    std::optional<std::uint64_t> limit;
    for (const std::string_view name : files.limits)
        if (!name.empty()) limit = least(limit, unsignedValue(root.integer(folder / name)));   // "max" reads as none
    if (!limit) return std::nullopt;
    const std::uint64_t used = unsignedValue(root.integer(folder / files.usage)).value_or(0);
    const std::uint64_t cache = tableNumber(root, folder / "memory.stat", files.reclaimable).value_or(0);
    return less(*limit, less(used, cache));
}

// The group's folder and every one above it up to the hierarchy's mount. A container that
// shows its own group as the mount's top (without a cgroup namespace) names a path that
// isn't there: its folders are missing and read as no limit, up to the mount, which is its group.
std::optional<std::uint64_t> roomInHierarchy(const ProbeRoot& root, std::string_view groupPath, const GroupFiles& files) {
    const fs::path mount(files.mount);
    const fs::path inside = fs::path(groupPath).relative_path();
    fs::path folder = inside.empty() ? mount : mount / inside;
    std::optional<std::uint64_t> room = roomInGroup(root, folder, files);
    while (folder != mount && folder.has_relative_path()) {
        folder = folder.parent_path();
        room = least(room, roomInGroup(root, folder, files));
    }
    return room;
}

// /proc/self/cgroup: "0::/user.slice/…" for the v2 hierarchy, "4:memory:/docker/…" for
// the v1 memory controller.
std::optional<std::uint64_t> roomInGroups(const ProbeRoot& root) {
    std::optional<std::uint64_t> room;
    const std::string text = root.bytes("/proc/self/cgroup").value_or("");
    for (const std::string_view line : procLines(text)) {
        const auto first = line.find(':');
        const auto second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::string_view path = line.substr(second + 1);
        if (line.substr(0, first) == "0" && controllers.empty()) {
            room = least(room, roomInHierarchy(root, path, version2));
            continue;
        }
        for (std::string_view rest = controllers; !rest.empty();) {
            const auto comma = std::min(rest.find(','), rest.size());
            if (rest.substr(0, comma) == "memory") room = least(room, roomInHierarchy(root, path, version1));
            rest.remove_prefix(std::min(comma + 1, rest.size()));
        }
    }
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
        const auto heldKiB = tableNumber(root, "/proc/self/status", "VmSize:");
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
