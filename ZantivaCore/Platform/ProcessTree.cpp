#include "Platform/ProcessTree.h"

#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "Platform/KernelFile.h"
#include "Platform/ProcTable.h"
#include "Platform/ProcessStat.h"

namespace zantiva {

namespace fs = std::filesystem;

namespace {

// A process's status is some sixty short lines, but its list of groups (before RssAnon) may
// name thousands.
constexpr std::size_t statusFileLimit = 1 << 20;

} // namespace

std::optional<std::vector<pid_t>> descendantsOf(pid_t ancestor, const fs::path& proc) {
    const auto processes = allProcessStats(proc);
    if (!processes) return std::nullopt;
    std::multimap<pid_t, pid_t> children;
    for (const ProcessStat& process : *processes) children.emplace(process.parent, process.pid);
    // Links read at different moments may loop (a pid reused meanwhile): each process once.
    std::set<pid_t> seen{ancestor};
    std::vector<pid_t> found;
    std::vector<pid_t> parents{ancestor};
    for (std::size_t next = 0; next < parents.size(); ++next) {
        const auto [first, last] = children.equal_range(parents[next]);
        for (auto child = first; child != last; ++child) {
            if (!seen.insert(child->second).second) continue;
            found.push_back(child->second);
            parents.push_back(child->second);
        }
    }
    return found;
}

std::optional<std::uint64_t> ownMemoryOf(pid_t pid, const fs::path& proc) {
    std::error_code error;
    const auto status = readKernelFile(proc / std::to_string(pid) / "status", statusFileLimit, error);
    if (!status && !isProcessGone(error)) return std::nullopt;
    if (!status) return 0;
    for (const std::string_view row : procLines(*status)) {
        ProcLine line(row);
        if (line.name() != "RssAnon:") continue;
        const auto kibibytes = line.nextNumber();
        if (!kibibytes || line.nextWord() != "kB" || *kibibytes > std::numeric_limits<std::uint64_t>::max() / 1024)
            return 0;
        return *kibibytes * 1024;
    }
    return 0;
}

std::optional<std::uint64_t> treeMemoryOf(pid_t pid, const fs::path& proc) {
    const auto descendants = descendantsOf(pid, proc);
    auto total = ownMemoryOf(pid, proc);
    if (!descendants || !total) return std::nullopt;
    for (const pid_t descendant : *descendants) {
        const auto own = ownMemoryOf(descendant, proc);
        if (!own) return std::nullopt;
        *total += *own;
    }
    return total;
}

} // namespace zantiva
