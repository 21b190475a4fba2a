#include "Probes/CPUTicks.h"

#include <algorithm>
#include <numeric>
#include <iterator>
#include <string>

#include "Platform/ProcTable.h"

namespace zantiva {

namespace {

// The kernel's iowait count may go back a little between readings; a counter that went
// back adds nothing rather than voiding the CPU's other counter.
std::uint64_t ticksSince(std::uint64_t before, std::uint64_t now) { return now > before ? now - before : 0; }

} // namespace

std::vector<CPUTicks> CPUTicks::read(const ProbeRoot& root) {
    std::vector<CPUTicks> ticks;
    const std::string text = root.bytes("/proc/stat").value_or("");
    for (const std::string_view row : procLines(text)) {
        ProcLine line(row);
        const auto number = numberAfter(line.name(), "cpu");
        if (!number) continue;
        std::uint64_t counters[8] = {};   // user nice system idle, then iowait irq softirq steal
        std::size_t read = 0;
        for (; read < std::size(counters); ++read) {
            const auto counter = line.nextNumber();
            if (!counter) break;
            counters[read] = *counter;
        }
        // The last four are missing on very old kernels.
        if (read < 4) continue;
        const auto [user, nice, system, idle, iowait, irq, softirq, steal] = counters;
        ticks.push_back({*number, user + nice + system + irq + softirq + steal, idle + iowait});
    }
    return ticks;
}

CpuLoads CPUTicks::loads(const std::vector<CPUTicks>& from, const std::vector<CPUTicks>& to) {
    CpuLoads result;
    if (to.empty()) return result;
    for (const auto& now : to) {
        const auto before = std::find_if(from.begin(), from.end(), [&](const CPUTicks& t) { return t.cpu == now.cpu; });
        double load = 0;
        if (before != from.end()) {
            const double busy = static_cast<double>(ticksSince(before->busy, now.busy));
            const double idle = static_cast<double>(ticksSince(before->idle, now.idle));
            if (busy + idle > 0) load = std::min(100.0 * busy / (busy + idle), 100.0);
        }
        result.perCore.push_back(load);
    }
    result.total = std::accumulate(result.perCore.begin(), result.perCore.end(), 0.0) / static_cast<double>(result.perCore.size());
    return result;
}

} // namespace zantiva
