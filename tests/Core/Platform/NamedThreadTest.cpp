#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/NamedThread.h"
#include "../../Support/ChildEnd.h"

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

int mainThreadNiceLevel() { return getpriority(PRIO_PROCESS, static_cast<id_t>(getpid())); }

TEST(NamedThread, CarriesItsKernelNameAndNiceLevel) {
    EXPECT_EQ(runAs({"com.zantiva.memory-test", "zv-memory", ThreadQoS::utility}),
              std::pair(std::string("zv-memory"), niceLevel(ThreadQoS::utility, mainThreadNiceLevel())));
    // Longer than the kernel allows: cut, not dropped.
    EXPECT_EQ(runAs({"", "zantiva-cpu-benchmark", ThreadQoS::userInitiated}).first, "zantiva-cpu-ben");
}

// Started under `nice -n 10` or `nice -n 19`, no thread runs above that level, not even as root
// (which may raise it), and a utility thread runs below it as far as the kernel goes.
TEST(NamedThread, StaysAtOrBelowTheLevelTheProgramWasStartedWith) {
    for (const int start : {10, 19}) {
        // A child of its own: the level of this test process can't be taken back without root.
        EXPECT_EQ(testing::endOfChild([start] {
            setpriority(PRIO_PROCESS, 0, start);
            const bool kept = runAs({"", "", ThreadQoS::userInteractive}).second == start &&
                              runAs({"", "", ThreadQoS::userInitiated}).second == start &&
                              runAs({"", "", ThreadQoS::utility}).second == std::min(start + 5, 19);
            return kept ? 0 : 1;
        }), "exit 0") << "started at " << start;
    }
}

} // namespace
} // namespace zantiva
