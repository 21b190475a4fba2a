// The guard's kill of what is below it when the look at the process table fails: when the
// table can't be read (no descriptor left, no access) or when the look throws (memory ran
// out, which a test can't bring about).

#include <gtest/gtest.h>

#include <csignal>
#include <new>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#include "../../Support/PollUntil.h"
#include "ToolGuardProgram/DescendantKill.h"

namespace zantiva {
namespace {

// A child leading a process group of its own, waiting to be killed; killed at the end
// should the test not do it.
struct GroupLeader : ::testing::Test {
    pid_t leader = 0;

    void SetUp() override {
        leader = ::fork();
        if (leader == 0) {
            ::setpgid(0, 0);
            for (;;) ::pause();
        }
        ASSERT_GT(leader, 0);
        // Also here, so that the group exists before any kill of it.
        ASSERT_EQ(::setpgid(leader, leader), 0);
    }

    void TearDown() override {
        if (leader <= 0) return;
        ::kill(leader, SIGKILL);
        ::waitpid(leader, nullptr, 0);
    }

    // Whether the leader ended by SIGKILL; waits a while for it, never for ever.
    bool wasKilled() {
        int status = 0;
        pid_t ended = 0;
        testing::pollUntil([&] { return (ended = ::waitpid(leader, &status, WNOHANG)) != 0; });
        if (ended != leader) return false;
        leader = 0;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
};

TEST_F(GroupLeader, ALookThatThrowsStillKillsTheGroupItWasGiven) {
    toolguard::killDescendants(leader, []() -> std::optional<std::vector<pid_t>> { throw std::bad_alloc(); });
    EXPECT_TRUE(wasKilled());
}

TEST_F(GroupLeader, ALookThatCouldNotReadTheTableKillsTheGroupItWasGiven) {
    toolguard::killDescendants(leader, []() -> std::optional<std::vector<pid_t>> { return std::nullopt; });
    EXPECT_TRUE(wasKilled());
}

} // namespace
} // namespace zantiva
