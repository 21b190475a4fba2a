// The processor as /proc/cpuinfo and the CPU topology in sysfs describe it, on any machine:
// the input holds the files' contents separated by NUL bytes, a missing one is no file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzTree.h"
#include "Probes/CpuTopology.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<std::string_view, 9> files{
        "/proc/cpuinfo",
        "/sys/devices/system/cpu/possible",
        "/sys/devices/system/cpu/online",
        "/sys/devices/system/cpu/cpu0/topology/core_cpus_list",
        "/sys/devices/system/cpu/cpu1/topology/thread_siblings_list",
        "/sys/devices/system/cpu/cpu0/topology/core_id",
        "/sys/devices/system/cpu/cpu1/topology/core_id",
        "/sys/devices/cpu_core/cpus",
        "/sys/devices/cpu_atom/cpus",
    };
    const FuzzTree tree;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (std::string_view file : files) {
        const auto end = rest.find('\0');
        tree.put(file, rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    const auto cpu = CpuTopology::read(ProbeRoot(tree.root()));
    FUZZ_CHECK(cpu.cores >= 0 && cpu.threads >= 0);
    FUZZ_CHECK(!cpu.name || !cpu.name->empty());
    for (const auto& cluster : cpu.clusters) FUZZ_CHECK(cluster.cores >= 0);
    return 0;
}
