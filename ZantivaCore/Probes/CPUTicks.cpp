#include "Probes/CPUTicks.h"

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>

namespace zantiva {

namespace {

// The kernel's iowait count may go back a little between readings; a counter that went
// back adds nothing rather than voiding the CPU's other counter.
std::uint64_t ticksSince(std::uint64_t before, std::uint64_t now) { return now > before ? now - before : 0; }

} // namespace

std::vector<CPUTicks> CPUTicks::read(const ProbeRoot& root) {
    std::vector<CPUTicks> ticks;
    std::istringstream in(root.bytes("/proc/stat").value_or(""));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        auto number = numberAfter(name, "cpu");
        if (!number) continue;
        std::uint64_t user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
        fields >> user >> nice >> system >> idle;
        if (!fields) continue;
        fields >> iowait >> irq >> softirq >> steal;   // missing on very old kernels
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
