#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

// The kernel name and nice level a thread started with that identity runs under.
std::pair<std::string, int> runAs(ThreadIdentity identity) {
    std::pair<std::string, int> seen;
    startNamedThread(std::move(identity), [&] {
        seen = {currentThreadName(), getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)))};
    }).join();
    return seen;
}

TEST(NamedThread, CarriesItsKernelNameAndNiceLevel) {
    EXPECT_EQ(runAs({"com.zantiva.memory-test", "zv-memory", ThreadQoS::utility}),
              std::pair(std::string("zv-memory"), niceLevel(ThreadQoS::utility)));
    // Longer than the kernel allows: cut, not dropped.
    EXPECT_EQ(runAs({"", "zantiva-cpu-benchmark", ThreadQoS::userInitiated}).first, "zantiva-cpu-ben");
    // Root in CI takes the raise, a user elsewhere keeps 0; either way the body runs.
    EXPECT_LE(runAs({"", "", ThreadQoS::userInteractive}).second, 0);
}

} // namespace
} // namespace zantiva
