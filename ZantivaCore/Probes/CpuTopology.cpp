#include "Probes/CpuTopology.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "Model/SpecText.h"
#include "Platform/WholeNumber.h"
#include "Probes/PlaceholderText.h"

namespace zantiva {

namespace {

const std::string cpuBase = "/sys/devices/system/cpu/";

// The most CPUs a Linux kernel can be built for; lists are bound by it where the kernel
// doesn't say how many CPUs this machine can have.
constexpr int kernelCpuLimit = 8192;

// Where each architecture names its processor in /proc/cpuinfo, best first: the first
// rule that names something wins.
enum class NameSource { field, fieldBeforeComma, armCoreTable };
struct NameRule {
    NameSource source;
    std::string_view key;
};
constexpr std::array<NameRule, 8> nameRules{{
    {NameSource::field, "model name"},             // x86, 32-bit ARM
    {NameSource::field, "Processor"},              // ARM kernels before 3.8
    {NameSource::field, "Model Name"},             // LoongArch
    {NameSource::fieldBeforeComma, "cpu"},         // POWER ("POWER9, altivec supported"), SPARC
    {NameSource::field, "uarch"},                  // RISC-V
    {NameSource::field, "Hardware"},               // ARM vendor kernels: the system on chip
    {NameSource::armCoreTable, ""},                // 64-bit ARM: "CPU implementer" and "CPU part"
    {NameSource::field, "isa"},                    // RISC-V without a named core
}};

struct ArmCore {
    std::int64_t implementer;
    std::int64_t part;
    std::string_view name;
};
constexpr std::array<ArmCore, 27> armCores{{
    {0x41, 0xc07, "Cortex-A7"},   {0x41, 0xc09, "Cortex-A9"},   {0x41, 0xc0f, "Cortex-A15"},
    {0x41, 0xd03, "Cortex-A53"},  {0x41, 0xd04, "Cortex-A35"},  {0x41, 0xd05, "Cortex-A55"},
    {0x41, 0xd07, "Cortex-A57"},  {0x41, 0xd08, "Cortex-A72"},  {0x41, 0xd09, "Cortex-A73"},
    {0x41, 0xd0a, "Cortex-A75"},  {0x41, 0xd0b, "Cortex-A76"},  {0x41, 0xd0c, "Neoverse-N1"},
    {0x41, 0xd0d, "Cortex-A77"},  {0x41, 0xd40, "Neoverse-V1"}, {0x41, 0xd41, "Cortex-A78"},
    {0x41, 0xd44, "Cortex-X1"},   {0x41, 0xd46, "Cortex-A510"}, {0x41, 0xd47, "Cortex-A710"},
    {0x41, 0xd48, "Cortex-X2"},   {0x41, 0xd49, "Neoverse-N2"}, {0x41, 0xd4f, "Neoverse-V2"},
    {0x41, 0xd80, "Cortex-A520"}, {0x41, 0xd81, "Cortex-A720"}, {0x46, 0x001, "A64FX"},
    {0x48, 0xd01, "TaiShan v110"}, {0x61, 0x022, "Apple M1 Icestorm"}, {0x61, 0x023, "Apple M1 Firestorm"},
}};

struct CpuInfoFile {
    std::map<std::string, std::string, std::less<>> fields;   // the first value of each key
    std::vector<int> processors;
    // Per processor, in file order: the core's implementer and part ids (ARM).
    std::vector<std::tuple<int, std::int64_t, std::int64_t>> armParts;
    double highestMHz = 0;   // of the "cpu MHz" lines; 0 without one
};

std::optional<std::int64_t> hexNumber(std::string_view text) {
    if (!text.starts_with("0x")) return std::nullopt;
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(text.data() + 2, text.data() + text.size(), n, 16);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return n;
}

// A clock such as "2596.134"; nothing for a text that is not a positive finite number.
std::optional<double> megahertz(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

CpuInfoFile readCpuInfo(const ProbeRoot& root) {
    CpuInfoFile info;
    auto text = root.bytes("/proc/cpuinfo");
    if (!text) return info;
    std::istringstream in(*text);
    std::int64_t implementer = -1;   // none in this processor's block yet
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = std::string(specText::trimmed(std::string_view(line).substr(0, colon)));
        const std::string value = std::string(specText::trimmed(std::string_view(line).substr(colon + 1)));
        if (key == "processor") {
            if (auto n = parseInteger(value)) info.processors.push_back(static_cast<int>(*n));
            implementer = -1;
        } else if (key == "CPU implementer") {
            implementer = hexNumber(value).value_or(-1);
        } else if (key == "CPU part" && implementer >= 0 && !info.processors.empty()) {
            if (auto part = hexNumber(value)) info.armParts.emplace_back(info.processors.back(), implementer, *part);
        } else if (key == "cpu MHz") {
            info.highestMHz = std::max(info.highestMHz, megahertz(value).value_or(0));
        }
        info.fields.try_emplace(key, value);
    }
    return info;
}

std::optional<std::int64_t> capacityOf(const ProbeRoot& root, int cpu) {
    return root.integer(cpuBase + "cpu" + std::to_string(cpu) + "/cpu_capacity");
}

// The cores the table knows, fastest first ("Cortex-A72 + Cortex-A53"); nothing when one
// of them is unknown, rather than half a processor.
std::optional<std::string> armCoreNames(const ProbeRoot& root, const CpuInfoFile& info) {
    std::vector<std::pair<std::string_view, std::int64_t>> cores;   // name, highest capacity
    for (const auto& [cpu, implementer, part] : info.armParts) {
        // Captured by name: clang 14 can't capture a structured binding.
        const auto known = std::find_if(armCores.begin(), armCores.end(), [&i = implementer, &p = part](const ArmCore& c) {
            return c.implementer == i && c.part == p;
        });
        if (known == armCores.end()) return std::nullopt;
        const std::int64_t capacity = capacityOf(root, cpu).value_or(0);
        auto seen = std::find_if(cores.begin(), cores.end(), [&](const auto& c) { return c.first == known->name; });
        if (seen == cores.end()) cores.emplace_back(known->name, capacity);
        else seen->second = std::max(seen->second, capacity);
    }
    if (cores.empty()) return std::nullopt;
    std::stable_sort(cores.begin(), cores.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string name;
    for (const auto& [core, capacity] : cores) name += (name.empty() ? "" : " + ") + std::string(core);
    return name;
}

std::optional<std::string> cpuName(const ProbeRoot& root, const CpuInfoFile& info) {
    for (const auto& rule : nameRules) {
        std::optional<std::string> name;
        if (rule.source == NameSource::armCoreTable) {
            name = armCoreNames(root, info);
        } else if (auto field = info.fields.find(rule.key); field != info.fields.end()) {
            name = rule.source == NameSource::fieldBeforeComma ? field->second.substr(0, field->second.find(','))
                                                                : field->second;
        }
        if (auto known = knownHardwareText(name)) return known;
    }
    return std::nullopt;
}

// Which core a CPU belongs to, asked in this order:
//  1. the CPUs that share its core: core_cpus_list, or thread_siblings_list on older
//     kernels; right however the architecture numbers its cores;
//  2. its package, die and core ids: core ids restart in each cluster, book or socket on
//     some machines, so this is only for kernels without the lists;
//  3. nothing: the CPU counts as a core of its own.
using CoreKey = std::vector<std::int64_t>;

std::optional<CoreKey> coreOf(const ProbeRoot& root, int cpu, int cpuLimit) {
    const std::string t = cpuBase + "cpu" + std::to_string(cpu) + "/topology/";
    for (const char* list : {"core_cpus_list", "thread_siblings_list"}) {
        const auto siblings = parseCpuList(root.text(t + list).value_or(""), cpuLimit);
        if (std::binary_search(siblings.begin(), siblings.end(), cpu)) return CoreKey{siblings.front()};
    }
    auto core = root.integer(t + "core_id");
    if (!core) return std::nullopt;
    return CoreKey{-1, root.integer(t + "physical_package_id").value_or(0), root.integer(t + "die_id").value_or(0), *core};
}

// Physical cores among the given CPUs.
std::int64_t countCores(const ProbeRoot& root, const std::vector<int>& cpus, int cpuLimit) {
    std::set<CoreKey> cores;
    std::int64_t loose = 0;
    for (int cpu : cpus) {
        if (auto id = coreOf(root, cpu, cpuLimit)) cores.insert(*id);
        else ++loose;
    }
    return static_cast<std::int64_t>(cores.size()) + loose;
}

std::vector<int> intersect(std::vector<int> a, const std::vector<int>& online) {
    std::erase_if(a, [&](int c) { return !std::binary_search(online.begin(), online.end(), c); });
    return a;
}

std::vector<CoreCluster> hybridClusters(const ProbeRoot& root, const std::vector<int>& online, int cpuLimit) {
    auto performance = intersect(parseCpuList(root.text("/sys/devices/cpu_core/cpus").value_or(""), cpuLimit), online);
    auto efficiency = intersect(parseCpuList(root.text("/sys/devices/cpu_atom/cpus").value_or(""), cpuLimit), online);
    if (performance.empty() || efficiency.empty()) return {};
    return {CoreCluster{"Performance", countCores(root, performance, cpuLimit)},
            CoreCluster{"Efficiency", countCores(root, efficiency, cpuLimit)}};
}

// ARM big.LITTLE and newer x86 kernels give each CPU a relative capacity; each distinct
// capacity is one performance level.
std::vector<CoreCluster> capacityClusters(const ProbeRoot& root, const std::vector<int>& online, int cpuLimit) {
    std::map<std::int64_t, std::vector<int>, std::greater<>> levels;
    for (int cpu : online) {
        auto capacity = capacityOf(root, cpu);
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
        clusters.push_back(CoreCluster{std::move(name), countCores(root, cpus, cpuLimit)});
        ++level;
    }
    return clusters;
}

std::vector<int> onlineCpus(const ProbeRoot& root, const CpuInfoFile& info, int cpuLimit) {
    auto online = parseCpuList(root.text(cpuBase + "online").value_or(""), cpuLimit);
    if (!online.empty()) return online;
    for (int cpu : info.processors)
        if (cpu >= 0 && cpu < cpuLimit) online.push_back(cpu);
    if (online.empty())
        for (const auto& name : root.entries(cpuBase))
            if (auto n = numberAfter(name, "cpu"); n && *n < cpuLimit) online.push_back(*n);
    std::sort(online.begin(), online.end());
    online.erase(std::unique(online.begin(), online.end()), online.end());
    return online;
}

} // namespace

std::vector<int> parseCpuList(std::string_view list, int cpuLimit) {
    // Ranges first, merged, then expanded: repeated or overlapping ranges cost nothing more.
    std::vector<std::pair<std::int64_t, std::int64_t>> ranges;
    std::size_t start = 0;
    while (start <= list.size()) {
        auto end = list.find(',', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string piece = std::string(specText::trimmed(list.substr(start, end - start)));
        const auto dash = piece.find('-');
        auto first = parseInteger(piece.substr(0, dash));
        auto last = dash == std::string::npos ? first : parseInteger(piece.substr(dash + 1));
        if (first && last && *first >= 0 && *first <= *last && *first < cpuLimit)
            ranges.emplace_back(*first, std::min<std::int64_t>(*last, cpuLimit - 1));
        start = end + 1;
    }
    std::sort(ranges.begin(), ranges.end());
    std::vector<int> cpus;
    for (const auto& [first, last] : ranges)
        for (auto c = std::max<std::int64_t>(first, cpus.empty() ? 0 : cpus.back() + 1); c <= last; ++c)
            cpus.push_back(static_cast<int>(c));
    return cpus;
}

CpuTopology CpuTopology::read(const ProbeRoot& root) {
    const auto possible = parseCpuList(root.text(cpuBase + "possible").value_or(""), kernelCpuLimit);
    const int cpuLimit = possible.empty() ? kernelCpuLimit : possible.back() + 1;
    const CpuInfoFile info = readCpuInfo(root);
    const auto online = onlineCpus(root, info, cpuLimit);
    CpuTopology t;
    t.name = cpuName(root, info);
    t.threads = static_cast<std::int64_t>(online.size());
    t.cores = countCores(root, online, cpuLimit);
    t.clusters = hybridClusters(root, online, cpuLimit);
    if (t.clusters.empty()) t.clusters = capacityClusters(root, online, cpuLimit);
    std::int64_t maxKHz = 0;
    for (int cpu : online)
        maxKHz = std::max(maxKHz, root.integer(cpuBase + "cpu" + std::to_string(cpu) + "/cpufreq/cpuinfo_max_freq").value_or(0));
    // Without cpufreq (most virtual machines) the kernel's "cpu MHz" is the clock there is. The
    // kernel gives it to the kHz ("2599.998"); through whole kHz it becomes the GHz figure that
    // reads the same (2.599998, where MHz / 1000 gives 2.5999980000000003).
    if (maxKHz == 0) maxKHz = std::llround(info.highestMHz * 1'000.0);
    t.maxClockGHz = static_cast<double>(maxKHz) / 1'000'000.0;
    return t;
}

} // namespace zantiva
