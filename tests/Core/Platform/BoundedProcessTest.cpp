#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <pthread.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Platform/BoundedProcess.h"
#include "../../Support/PollUntil.h"
#include "../../Support/ProcessState.h"
#include "../../Support/StandInQuestion.h"
#include "../../Support/TemporaryFolder.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;

TEST(BoundedProcess, GivesTheOutputAndExitStatusOfAProgramRunFromAnArgumentList) {
    // The argument reaches the program as one word: no shell splits or expands it.
    auto run = runBoundedProcess({"printf", "%s|", "a b; echo $HOME"}, 5s);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->output, "a b; echo $HOME|");
    EXPECT_TRUE(run->succeeded());

    auto failing = runBoundedProcess({"false"}, 5s);
    ASSERT_TRUE(failing);
    EXPECT_EQ(failing->exitStatus, 1);
    EXPECT_FALSE(failing->succeeded());

    // A program that cannot start gives no result.
    EXPECT_FALSE(runBoundedProcess({"/nonexistent/zantiva-tool"}, 1s));
    EXPECT_FALSE(runBoundedProcess({}, 1s));
}

TEST(BoundedProcess, KillsAProgramAndWhatItStartedAtTheDeadline) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder.path() / "grandchild.pid";
    const auto started = std::chrono::steady_clock::now();
    // A child that starts a long sleep of its own and keeps the output open.
    auto run = runBoundedProcess({"sh", "-c", "sleep 30 & echo $! > \"$0\"; echo started; wait", pidFile.string()}, 300ms);
    const auto took = std::chrono::steady_clock::now() - started;
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->timedOut);
    EXPECT_FALSE(run->succeeded());
    EXPECT_EQ(run->output, "started\n");
    EXPECT_LT(took, 10s);
    pid_t grandchild = 0;
    std::ifstream(pidFile) >> grandchild;
    ASSERT_GT(grandchild, 0);
    // Killed with its group; a zombie waiting for a parent that may never reap it counts as gone.
    EXPECT_TRUE(testing::pollUntil([&] { return testing::isGone(grandchild); }, 2s));
}

// The drive health program runs smartctl this way as root: killed with its caller, or by
// its alarm, it must leave nothing running, not even what the program started of its own.
TEST(BoundedProcess, AProgramEndsWithTheProcessThatStartedItHoweverThatEnds) {
    for (const int signal : {SIGKILL, SIGALRM}) {
        testing::TemporaryFolder folder;
        const auto pidFile = folder.path() / "child.pid";
        const auto ownPidFile = folder.path() / "grandchild.pid";
        const pid_t caller = ::fork();
        if (caller == 0) {
            runBoundedProcess({"sh", "-c", "sleep 600 & echo $! > \"$1\"; echo $$ > \"$0\" && exec sleep 600",
                               pidFile.string(), ownPidFile.string()},
                              10min);
            ::_exit(0);
        }
        ASSERT_GT(caller, 0);
        const auto child = testing::awaitQuestion(pidFile);
        const auto grandchild = testing::awaitQuestion(ownPidFile);
        ::kill(caller, signal);
        int status = 0;
        while (::waitpid(caller, &status, 0) < 0 && errno == EINTR) {}
        ASSERT_TRUE(child && grandchild) << signal;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        for (const pid_t pid : {*child, *grandchild}) {
            const bool ended = testing::pollUntil([&] { return testing::isGone(pid); });
            if (!ended) ::kill(pid, SIGKILL);
            EXPECT_TRUE(ended) << signal << (pid == *child ? ": the program" : ": what it started");
        }
    }
}

// A program may signal its own group (a shell's clean-up: `kill -TERM 0`), the keeper's
// signal included: only the caller's end ends the group. (The program lingers, so that a
// keeper that took the signal for that end has the time to end it.)
TEST(BoundedProcess, AProgramThatSignalsItsOwnGroupIsNotTakenForItsCallersEnd) {
    const auto run = runBoundedProcess(
        {"sh", "-c", "trap '' TERM \"$0\"; kill -TERM 0; kill -\"$0\" 0; sleep 1; echo survived", std::to_string(SIGRTMIN)},
        10s);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->output, "survived\n");
    EXPECT_TRUE(run->succeeded());
}

// The thread that ran the program ends (the process lives on): the keeper's parent-death
// notice, the only sign of it, still ends the group.
TEST(BoundedProcess, AProgramEndsWithTheThreadThatStartedIt) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder.path() / "child.pid";
    const pid_t caller = ::fork();
    if (caller == 0) {
        std::thread runner([&] {
            runBoundedProcess({"sh", "-c", "echo $$ > \"$0\" && exec sleep 600", pidFile.string()}, 10min);
        });
        const auto child = testing::awaitQuestion(pidFile);
        // Ends that thread alone, in the middle of its run.
        ::signal(SIGUSR1, [](int) { ::syscall(SYS_exit, 0); });
        ::pthread_kill(runner.native_handle(), SIGUSR1);
        const bool ended = child && testing::pollUntil([&] { return testing::isGone(*child); });
        // Killed here, while its number can't have gone to another process, when it was left.
        if (child && !ended) ::kill(*child, SIGKILL);
        ::_exit(ended ? 0 : 1);
    }
    ASSERT_GT(caller, 0);
    int status = 0;
    while (::waitpid(caller, &status, 0) < 0 && errno == EINTR) {}
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The caller is stopped (Ctrl+Z) while the program runs; the program ends at once, and the
// caller goes on only past the deadline: the program ended in time, and its output is whole.
TEST(BoundedProcess, ACallerStoppedPastTheDeadlineFindsTheProgramEndedInTime) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder / "child.pid", go = folder / "go";
    constexpr auto timeout = 2s;
    const auto forked = std::chrono::steady_clock::now();   // the run's deadline comes after forked + timeout
    const pid_t caller = ::fork();
    if (caller == 0) {
        // A group of its own under this test: stopped in the runner's group, which may be
        // orphaned, it would be sent SIGHUP when another member of that group ends.
        ::setpgid(0, 0);
        const std::string script = "echo $$ > \"$0\"; while [ ! -e \"$1\" ]; do sleep 0.01; done; echo done";
        const auto run = runBoundedProcess({"sh", "-c", script, pidFile.string(), go.string()}, timeout);
        ::_exit(!run ? 1 : run->timedOut ? 2 : run->succeeded() && run->output == "done\n" ? 0 : 3);
    }
    ASSERT_GT(caller, 0);
    const auto program = testing::awaitQuestion(pidFile);
    const auto started = std::chrono::steady_clock::now();   // the deadline comes before started + timeout
    ::kill(caller, SIGSTOP);
    testing::pollUntil([&] { return processStatOf(caller).value_or(ProcessStat{}).state == 'T'; });
    const bool stoppedInTime = std::chrono::steady_clock::now() < forked + timeout;
    std::ofstream(go).flush();
    const bool programEnded = program && testing::pollUntil([&] { return testing::isGone(*program); });
    std::this_thread::sleep_until(started + timeout + 100ms);
    ::kill(caller, SIGCONT);
    int status = 0;
    while (::waitpid(caller, &status, 0) < 0 && errno == EINTR) {}
    if (!stoppedInTime) GTEST_SKIP() << "under this load the caller was stopped only past its deadline";
    ASSERT_TRUE(programEnded);
    ASSERT_TRUE(WIFEXITED(status)) << "the caller was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no result, 2: taken for timed out, 3: output or status lost";
}

TEST(BoundedProcess, KeepsOnlyTheFirstBytesOfALongOutput) {
    auto run = runBoundedProcess({"head", "-c", "100000", "/dev/zero"}, 5s, 1000);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->output.size(), 1000u);
    EXPECT_TRUE(run->succeeded());
}

// Asked for, standard error is kept beside the output, cut at its own limit, and read as it
// comes: a program that writes far more than a pipe holds is never stopped by a full pipe.
TEST(BoundedProcess, KeepsTheFirstBytesOfStandardErrorOnlyWhenAskedFor) {
    const std::vector<std::string> noisy{"sh", "-c", "head -c 200000 /dev/zero >&2; echo out; exit 3"};
    auto run = runBoundedProcess(noisy, 60s, 1000, {}, 100);
    ASSERT_TRUE(run);
    EXPECT_FALSE(run->timedOut);
    EXPECT_EQ(run->exitStatus, 3);
    EXPECT_EQ(run->output, "out\n");
    EXPECT_EQ(run->errors, std::string(100, '\0'));

    auto unasked = runBoundedProcess(noisy, 60s);
    ASSERT_TRUE(unasked);
    EXPECT_EQ(unasked->output, "out\n");
    EXPECT_EQ(unasked->errors, "");
}

// A caller without standard streams has the pipes on those numbers: each must still reach
// the program as the stream it stands for.
TEST(BoundedProcess, AProgramGetsItsStreamsRightFromACallerWithoutStandardStreams) {
    const pid_t caller = ::fork();
    if (caller == 0) {
        for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) ::close(stream);
        const auto run = runBoundedProcess({"sh", "-c", "read line; echo out; echo err >&2; [ -z \"$line\" ]"}, 60s,
                                           100, {}, 100);
        ::_exit(run && run->succeeded() && run->output == "out\n" && run->errors == "err\n" ? 0 : 1);
    }
    ASSERT_GT(caller, 0);
    int status = 0;
    while (::waitpid(caller, &status, 0) < 0 && errno == EINTR) {}
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
} // namespace zantiva
