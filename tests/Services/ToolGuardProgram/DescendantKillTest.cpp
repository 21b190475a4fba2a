// The guard's kill of what is below it when the look at the process table fails. The one way
// it can fail here is memory running out, which a test can't bring about: the look throws.

#include <gtest/gtest.h>

#include <csignal>
#include <new>
#include <sys/wait.h>
#include <unistd.h>

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
};

TEST_F(GroupLeader, ALookThatFailsStillKillsTheGroupItWasGiven) {
    toolguard::killDescendants(leader, []() -> std::vector<pid_t> { throw std::bad_alloc(); });
    int status = 0;
    ASSERT_EQ(::waitpid(leader, &status, 0), leader);
    leader = 0;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

} // namespace
} // namespace zantiva
