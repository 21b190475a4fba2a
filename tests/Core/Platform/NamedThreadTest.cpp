#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

struct Seen {
    std::string name;
    int nice = 0;
};

Seen runAs(ThreadIdentity identity) {
    Seen seen;
    auto thread = startNamedThread(std::move(identity), [&] {
        seen.name = currentThreadName();
        errno = 0;
        seen.nice = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
    });
    thread.join();
    return seen;
}

TEST(NamedThread, CarriesItsShortNameAndNiceLevel) {
    const Seen seen = runAs({"com.zantiva.memory-test", "zv-memory", ThreadQoS::utility});
    EXPECT_EQ(seen.name, "zv-memory");
    EXPECT_EQ(seen.nice, niceLevel(ThreadQoS::utility));
}

TEST(NamedThread, NameLongerThanTheKernelAllowsIsCutNotDropped) {
    const Seen seen = runAs({"com.zantiva.cpu-benchmark", "zantiva-cpu-benchmark", ThreadQoS::userInitiated});
    EXPECT_EQ(seen.name, "zantiva-cpu-ben");
}

TEST(NamedThread, UnprivilegedRaiseOfPriorityIsBestEffort) {
    // Runs as root in CI (the level is taken) and as a user elsewhere (it is skipped);
    // either way the thread runs its body.
    const Seen seen = runAs({"", "", ThreadQoS::userInteractive});
    EXPECT_LE(seen.nice, 0);
}

} // namespace
} // namespace zantiva
