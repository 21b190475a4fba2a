// A kernel CPU list ("0-3,8,10-11") from sysfs, with the limit the kernel can have: the
// result is sorted, without repeats, below the limit, and costs no more than the limit.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "Probes/CpuTopology.h"

using namespace zantiva;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first two bytes give the limit (the kernel allows at most 8192 CPUs).
    const int limit = (data[0] | (data[1] << 8)) % 8193;
    const auto cpus = parseCpuList(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), limit);
    FUZZ_CHECK(std::adjacent_find(cpus.begin(), cpus.end(), std::greater_equal<>()) == cpus.end());
    FUZZ_CHECK(std::all_of(cpus.begin(), cpus.end(), [&](int cpu) { return cpu >= 0 && cpu < limit; }));
    return 0;
}
