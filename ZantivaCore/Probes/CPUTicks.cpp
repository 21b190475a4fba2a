#include "Probes/CPUTicks.h"

#include <algorithm>
#include <numeric>
#include <sstream>
#include <string>

namespace zantiva {

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
        if (before != from.end() && now.busy >= before->busy && now.idle >= before->idle) {
            const double busy = static_cast<double>(now.busy - before->busy);
            const double idle = static_cast<double>(now.idle - before->idle);
            if (busy + idle > 0) load = std::min(100.0 * busy / (busy + idle), 100.0);
        }
        result.perCore.push_back(load);
    }
    result.total = std::accumulate(result.perCore.begin(), result.perCore.end(), 0.0) / static_cast<double>(result.perCore.size());
    return result;
}

} // namespace zantiva
