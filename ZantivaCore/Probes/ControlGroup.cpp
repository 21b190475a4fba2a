#include "Probes/ControlGroup.h"

#include <optional>
#include <span>
#include <string>

#include "Platform/MountInfo.h"
#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

// A cgroup path's steps: the ".." it starts with, counted, then the names. Paths from
// /proc/self/cgroup and mountinfo have no other "." or "..": one that has is not read.
struct Steps {
    std::size_t ups = 0;
    std::vector<std::string> names;
};

std::optional<Steps> stepsOf(std::string_view path) {
    if (!path.starts_with('/')) return std::nullopt;
    Steps steps;
    for (const fs::path& part : fs::path(path).relative_path()) {
        const std::string name = part.string();
        if (name.empty()) continue;
        if (name == ".." && steps.names.empty()) ++steps.ups;
        else if (name == "." || name == "..") return std::nullopt;
        else steps.names.push_back(name);
    }
    return steps;
}

// The steps from a mount's top down to the group, an absent step being one that neither path
// names; none when the group is not below the mount's top. Both paths start at the cgroup
// namespace's group: the mount's top lies `ups` above it and then down its names. Where those
// names stand for steps the group's path doesn't name, the group is below the top only if
// they are the same: `guessed` says it must be seen to hold this process.
struct GroupPattern {
    std::vector<std::optional<std::string>> steps;
    bool guessed = false;
};

std::optional<GroupPattern> patternBelow(const Steps& mountTop, const Steps& group) {
    if (group.ups > mountTop.ups) return std::nullopt;
    GroupPattern pattern;
    pattern.steps.resize(mountTop.ups - group.ups);   // the namespace's own steps, unnamed here
    pattern.steps.insert(pattern.steps.end(), group.names.begin(), group.names.end());
    if (pattern.steps.size() < mountTop.names.size()) return std::nullopt;
    for (std::size_t i = 0; i < mountTop.names.size(); ++i) {
        if (!pattern.steps[i]) pattern.guessed = true;
        else if (*pattern.steps[i] != mountTop.names[i]) return std::nullopt;
    }
    pattern.steps.erase(pattern.steps.begin(), pattern.steps.begin() + static_cast<std::ptrdiff_t>(mountTop.names.size()));
    return pattern;
}

bool holdsProcess(const ProbeRoot& root, const fs::path& folder, std::uint64_t pid) {
    const std::string procs = root.bytes(folder / "cgroup.procs").value_or("");
    for (const std::string_view line : procLines(procs))
        if (const auto listed = parseInteger(line); listed && *listed >= 0 && static_cast<std::uint64_t>(*listed) == pid)
            return true;
    return false;
}

// The folder below `folder` that the pattern names and that holds the process, each unnamed
// step tried with every entry there.
std::optional<fs::path> search(const ProbeRoot& root, const fs::path& folder,
                               std::span<const std::optional<std::string>> rest, std::uint64_t pid) {
    if (rest.empty()) return holdsProcess(root, folder, pid) ? std::optional(folder) : std::nullopt;
    if (rest.front()) return search(root, folder / *rest.front(), rest.subspan(1), pid);
    for (const std::string& name : root.entries(folder))
        if (auto found = search(root, folder / name, rest.subspan(1), pid)) return found;
    return std::nullopt;
}

// The group's folder; where the pattern has unnamed steps and the search finds no group
// holding this process, the deepest folder it names before them, unless that was a guess.
std::optional<fs::path> groupFolder(const ProbeRoot& root, const fs::path& mountPoint, const GroupPattern& pattern) {
    fs::path named = mountPoint;
    auto step = pattern.steps.begin();
    for (; step != pattern.steps.end() && *step; ++step) named /= **step;
    if (step == pattern.steps.end() && !pattern.guessed) return named;
    const std::optional<fs::path> fallback = pattern.guessed ? std::nullopt : std::optional(named);
    const auto pid = root.tableNumber("/proc/self/status", "Pid:");
    if (!pid) return fallback;
    const std::span<const std::optional<std::string>> rest(step, pattern.steps.end());
    if (auto found = search(root, named, rest, *pid)) return found;
    return fallback;
}

// The folders of the group that `path` names under the mount, up to the mount's top.
std::vector<fs::path> foldersUnder(const ProbeRoot& root, const MountInfoEntry& mount, std::string_view path) {
    const auto mountTop = stepsOf(mount.root.string());
    const auto group = stepsOf(path);
    if (!mountTop || !group) return {};
    const auto pattern = patternBelow(*mountTop, *group);
    const auto folder = pattern ? groupFolder(root, mount.mountPoint, *pattern) : std::nullopt;
    if (!folder) return {};
    std::vector<fs::path> folders{*folder};
    while (folders.back() != mount.mountPoint && folders.back().has_relative_path())
        folders.push_back(folders.back().parent_path());
    return folders;
}

// The first mount of the hierarchy under which the group shows.
std::optional<ControlGroupFolders> inHierarchy(const ProbeRoot& root, const std::vector<MountInfoEntry>& mounts,
                                               int version, std::string_view controller, std::string_view path) {
    for (const MountInfoEntry& mount : mounts) {
        const bool ofHierarchy = version == 2 ? mount.type == "cgroup2"
                                              : mount.type == "cgroup" && listHolds(mount.superOptions, controller);
        if (!ofHierarchy) continue;
        if (auto folders = foldersUnder(root, mount, path); !folders.empty())
            return ControlGroupFolders{version, std::move(folders)};
    }
    return std::nullopt;
}

} // namespace

std::vector<ControlGroupFolders> controlGroupFolders(const ProbeRoot& root, std::string_view controller) {
    const std::vector<MountInfoEntry> mounts = parseMountInfo(root.bytes("/proc/self/mountinfo").value_or(""));
    std::vector<ControlGroupFolders> found;
    // "0::/user.slice/…" for the v2 hierarchy, "4:cpu,memory:/docker/…" for v1 controllers.
    const std::string groups = root.bytes("/proc/self/cgroup").value_or("");
    for (const std::string_view line : procLines(groups)) {
        const auto first = line.find(':');
        const auto second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const int version = line.substr(0, first) == "0" && controllers.empty() ? 2 : 1;
        if (version == 1 && !listHolds(controllers, controller)) continue;
        if (auto folders = inHierarchy(root, mounts, version, controller, line.substr(second + 1)))
            found.push_back(std::move(*folders));
    }
    return found;
}

} // namespace zantiva
