// The guard killed outright, or the half of it that holds the tool: whichever way it ends,
// nothing it started is left running.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/NoFreeDescriptors.h"
#include "../../Support/PollUntil.h"
#include "../../Support/ProcessState.h"
#include "../../Support/TemporaryFolder.h"

extern char** environ;

namespace zantiva {
namespace {

using testing::EnvironmentChange;
using testing::isGone;
using testing::pollUntil;

pid_t parentOf(pid_t pid) {
    const auto stat = processStatOf(pid);
    return stat ? stat->parent : 0;
}

// The guard with the escaping tool under it, started by this process as the launcher does.
// The tool writes its pid, a child's in its group and one that left with setsid, then waits
// for a file that never comes.
struct GuardedTool : ::testing::Test {
    testing::TemporaryFolder folder;
    const std::filesystem::path pidFile = folder / "tool.pids";
    const EnvironmentChange pids{"ZANTIVA_TEST_PID_FILE", pidFile.string()};
    const EnvironmentChange go{"ZANTIVA_TEST_GO_FILE", (folder / "never").string()};
    pid_t guard = 0;
    std::vector<pid_t> started;

    void SetUp() override {
        std::string program = ZANTIVA_TOOL_GUARD, parent = std::to_string(::getpid()),
                    tool = std::string(ZANTIVA_FIXTURES) + "/outside-tools/escaping-tool";
        char* arguments[] = {program.data(), parent.data(), tool.data(), nullptr};
        ASSERT_EQ(::posix_spawn(&guard, program.c_str(), nullptr, nullptr, arguments, environ), 0);
        ASSERT_TRUE(pollUntil([&] { return std::filesystem::exists(pidFile); })) << "the tool did not start";
        std::ifstream in(pidFile);
        for (pid_t pid = 0; in >> pid;) started.push_back(pid);
        ASSERT_EQ(started.size(), 3u);
    }

    void TearDown() override {
        for (const pid_t pid : started)
            if (!isGone(pid)) ::kill(pid, SIGKILL);
        if (guard > 0) {
            ::kill(guard, SIGKILL);
            ::waitpid(guard, nullptr, 0);
        }
    }

    void expectNothingLeft(std::string_view after) {
        const bool allGone = pollUntil([&] { return std::ranges::all_of(started, isGone); });
        for (const pid_t pid : started) EXPECT_TRUE(isGone(pid)) << pid << " outlived " << after;
        EXPECT_TRUE(allGone);
    }
};

TEST_F(GuardedTool, AGuardKilledOutrightLeavesNothingItStarted) {
    ASSERT_EQ(::kill(guard, SIGKILL), 0);
    ASSERT_EQ(::waitpid(guard, nullptr, 0), guard);
    guard = 0;
    expectNothingLeft("the guard's SIGKILL");
}

// Both halves of the guard with one descriptor to spare (the tool's limit may be so low): a
// stop still finds and ends all the tool started, and then the guard.
TEST_F(GuardedTool, AGuardShortOfDescriptorsStillEndsAllItStartedAndItself) {
    if (const auto why = testing::NoFreeDescriptors::unavailable()) GTEST_SKIP() << *why;
    const pid_t keeper = parentOf(started.front());
    ASSERT_GT(keeper, 0);
    const rlimit few{4, 4};
    for (const pid_t half : {guard, keeper}) ASSERT_EQ(::prlimit(half, RLIMIT_NOFILE, &few, nullptr), 0);
    ASSERT_EQ(::kill(guard, SIGTERM), 0);
    expectNothingLeft("a stop with few descriptors");
    int status = 0;
    ASSERT_TRUE(pollUntil([&] { return ::waitpid(guard, &status, WNOHANG) == guard; })) << "the guard spins";
    guard = 0;
    EXPECT_TRUE(isGone(keeper));
}

TEST_F(GuardedTool, TheToolsKeeperKilledOutrightLeavesNothingAndTheGuardEnds) {
    const pid_t keeper = parentOf(started.front());
    ASSERT_GT(keeper, 0);
    ASSERT_NE(keeper, guard) << "the tool runs right under the guard";
    ASSERT_EQ(::kill(keeper, SIGKILL), 0);
    expectNothingLeft("the keeper's SIGKILL");
    int status = 0;
    ASSERT_EQ(::waitpid(guard, &status, 0), guard);
    guard = 0;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

} // namespace
} // namespace zantiva
