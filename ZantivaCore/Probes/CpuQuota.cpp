#include "Probes/CpuQuota.h"

#include <algorithm>
#include <string>

#include "Platform/ProcTable.h"
#include "Platform/WholeNumber.h"
#include "Probes/ControlGroup.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

std::optional<double> share(std::optional<std::int64_t> quota, std::optional<std::int64_t> period) {
    if (!quota || !period || *quota <= 0 || *period <= 0) return std::nullopt;   // "-1", "max": none
    return static_cast<double>(*quota) / static_cast<double>(*period);
}

// v2: "200000 100000", or "max 100000" for none.
std::optional<double> version2Quota(const ProbeRoot& root, const fs::path& folder) {
    const std::string text = root.text(folder / "cpu.max").value_or("");   // the line reads it in place
    ProcLine line(text);
    return share(parseInteger(line.name()), parseInteger(line.nextWord()));
}

std::optional<double> version1Quota(const ProbeRoot& root, const fs::path& folder) {
    return share(root.integer(folder / "cpu.cfs_quota_us"), root.integer(folder / "cpu.cfs_period_us"));
}

} // namespace

std::optional<double> readCpuQuota(const ProbeRoot& root) {
    std::optional<double> least;
    for (const ControlGroupFolders& hierarchy : controlGroupFolders(root, "cpu")) {
        for (const fs::path& folder : hierarchy.folders) {
            const auto quota = hierarchy.version == 2 ? version2Quota(root, folder) : version1Quota(root, folder);
            if (quota && (!least || *quota < *least)) least = quota;
        }
    }
    return least;
}

} // namespace zantiva
