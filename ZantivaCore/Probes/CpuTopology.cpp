#include "Probes/CpuTopology.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "Model/SpecText.h"
#include "Probes/HardwareText.h"

namespace zantiva {

namespace {

const std::string cpuBase = "/sys/devices/system/cpu/";

struct CpuInfoFile {
    std::optional<std::string> modelName;
    std::vector<int> processors;
};

CpuInfoFile readCpuInfo(const ProbeRoot& root) {
    CpuInfoFile info;
    auto text = root.bytes("/proc/cpuinfo");
    if (!text) return info;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = std::string(specText::trimmed(std::string_view(line).substr(0, colon)));
        const std::string value = std::string(specText::trimmed(std::string_view(line).substr(colon + 1)));
        if (key == "processor") {
            if (auto n = parseInteger(value)) info.processors.push_back(static_cast<int>(*n));
        } else if (key == "model name" && !info.modelName) {
            info.modelName = knownHardwareText(value);
        }
    }
    return info;
}

using CoreId = std::tuple<std::int64_t, std::int64_t, std::int64_t>;   // package, die, core

std::optional<CoreId> coreOf(const ProbeRoot& root, int cpu) {
    const std::string t = cpuBase + "cpu" + std::to_string(cpu) + "/topology/";
    auto core = root.integer(t + "core_id");
    if (!core) return std::nullopt;
    return CoreId{root.integer(t + "physical_package_id").value_or(0), root.integer(t + "die_id").value_or(0), *core};
}

// Physical cores among the given CPUs; CPUs without topology count one each.
std::int64_t countCores(const ProbeRoot& root, const std::vector<int>& cpus) {
    std::set<CoreId> cores;
    std::int64_t loose = 0;
    for (int cpu : cpus) {
        if (auto id = coreOf(root, cpu)) cores.insert(*id);
        else ++loose;
    }
    return static_cast<std::int64_t>(cores.size()) + loose;
}

std::vector<int> intersect(std::vector<int> a, const std::vector<int>& online) {
    std::erase_if(a, [&](int c) { return std::find(online.begin(), online.end(), c) == online.end(); });
    return a;
}

std::vector<CoreCluster> hybridClusters(const ProbeRoot& root, const std::vector<int>& online) {
    auto performance = intersect(parseCpuList(root.text("/sys/devices/cpu_core/cpus").value_or("")), online);
    auto efficiency = intersect(parseCpuList(root.text("/sys/devices/cpu_atom/cpus").value_or("")), online);
    if (performance.empty() || efficiency.empty()) return {};
    return {CoreCluster{"Performance", countCores(root, performance)},
            CoreCluster{"Efficiency", countCores(root, efficiency)}};
}

// ARM big.LITTLE and newer x86 kernels give each CPU a relative capacity; each distinct
// capacity is one performance level.
std::vector<CoreCluster> capacityClusters(const ProbeRoot& root, const std::vector<int>& online) {
    std::map<std::int64_t, std::vector<int>, std::greater<>> levels;
    for (int cpu : online) {
        auto capacity = root.integer(cpuBase + "cpu" + std::to_string(cpu) + "/cpu_capacity");
        if (!capacity) return {};
        levels[*capacity].push_back(cpu);
    }
    if (levels.size() < 2) return {};
    std::vector<CoreCluster> clusters;
    int level = 0;
    for (const auto& [capacity, cpus] : levels) {
        std::string name = level == 0 ? "Performance"
                           : level + 1 == static_cast<int>(levels.size()) ? "Efficiency"
                                                                           : "Level " + std::to_string(level);
        clusters.push_back(CoreCluster{std::move(name), countCores(root, cpus)});
        ++level;
    }
    return clusters;
}

std::vector<int> onlineCpus(const ProbeRoot& root, const CpuInfoFile& info) {
    auto online = parseCpuList(root.text(cpuBase + "online").value_or(""));
    if (!online.empty()) return online;
    if (!info.processors.empty()) return info.processors;
    for (const auto& name : root.entries(cpuBase))
        if (auto n = numberAfter(name, "cpu")) online.push_back(*n);
    return online;
}

} // namespace

std::vector<int> parseCpuList(std::string_view list) {
    std::vector<int> cpus;
    std::size_t start = 0;
    while (start <= list.size()) {
        auto end = list.find(',', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string piece = std::string(specText::trimmed(list.substr(start, end - start)));
        const auto dash = piece.find('-');
        auto first = parseInteger(piece.substr(0, dash));
        auto last = dash == std::string::npos ? first : parseInteger(piece.substr(dash + 1));
        if (first && last && *first >= 0 && *first <= *last && *last < 65536)
            for (auto c = *first; c <= *last; ++c) cpus.push_back(static_cast<int>(c));
        start = end + 1;
    }
    std::sort(cpus.begin(), cpus.end());
    cpus.erase(std::unique(cpus.begin(), cpus.end()), cpus.end());
    return cpus;
}

CpuTopology CpuTopology::read(const ProbeRoot& root) {
    const CpuInfoFile info = readCpuInfo(root);
    const auto online = onlineCpus(root, info);
    CpuTopology t;
    t.name = info.modelName;
    t.threads = static_cast<std::int64_t>(online.size());
    t.cores = countCores(root, online);
    t.clusters = hybridClusters(root, online);
    if (t.clusters.empty()) t.clusters = capacityClusters(root, online);
    std::int64_t maxKHz = 0;
    for (int cpu : online)
        maxKHz = std::max(maxKHz, root.integer(cpuBase + "cpu" + std::to_string(cpu) + "/cpufreq/cpuinfo_max_freq").value_or(0));
    t.maxClockGHz = static_cast<double>(maxKHz) / 1'000'000.0;
    return t;
}

} // namespace zantiva
