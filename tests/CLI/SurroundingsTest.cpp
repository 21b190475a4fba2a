// The real program in poor surroundings: a low limit on open descriptors, and a standard
// output whose reader went away.

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "../Support/EnvironmentChange.h"
#include "../Support/TemporaryFolder.h"
#include "Platform/AtomicFile.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

// The program's words under `prlimit --nofile=LIMITS` (soft:hard).
BoundedProcessResult runWithDescriptors(const std::string& limits, std::vector<std::string> words) {
    words.insert(words.begin(), {"prlimit", "--nofile=" + limits, ZANTIVA_PROGRAM});
    const auto run = runBoundedProcess(words, std::chrono::seconds(60), 1 << 20, {}, 1 << 16);
    return run ? *run : BoundedProcessResult{};
}

// The window's launch, on a display nobody answers (the window is never made): under a limit
// it can't raise far enough it fails at once and says how to mend it; under a low soft limit
// with room above it, it raises the limit and goes on to the display.
TEST(FewDescriptors, TheWindowFailsAtOnceNamingUlimitUnlessItCanRaiseTheLimit) {
    const testing::EnvironmentChange x11("DISPLAY", ":4711"), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt);
    for (const std::string limits : {"16:16", "20:20", "100:100"}) {
        const auto window = runWithDescriptors(limits, {});
        EXPECT_EQ(window.exitStatus, 1) << limits;
        EXPECT_EQ(window.errors.rfind("failed: the window needs 128 open files, and only ", 0), 0u) << window.errors;
        EXPECT_NE(window.errors.find("(ulimit -n 128)"), std::string::npos) << window.errors;
        EXPECT_EQ(window.output, "") << limits;
    }
    const auto raised = runWithDescriptors("16:4096", {});
    EXPECT_EQ(raised.exitStatus, 1);
    EXPECT_EQ(raised.output, "failed: can't open the display (DISPLAY=:4711)\n");
}

// The command line needs far fewer: the hardware dump runs under 16.
TEST(FewDescriptors, TheCommandLineRunsUnderSixteen) {
    const testing::EnvironmentChange x11("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt);
    const auto dump = runWithDescriptors("16:16", {"--dump-hardware"});
    EXPECT_EQ(dump.exitStatus, 0) << dump.errors;
    EXPECT_NE(dump.output.find("cpu"), std::string::npos) << dump.output;
}

// Standard output is a pipe whose reader has gone (`… | true`): the write fails in words and
// status 1, as a full disk's does, instead of SIGPIPE ending the program with no word.
TEST(BrokenPipe, AStandardOutputNobodyReadsFailsInWords) {
    const testing::TemporaryFolder folder;
    const auto err = folder / "err";
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC), 0);
    ::close(ends[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (errFd < 0 || ::dup2(ends[1], 1) < 0 || ::dup2(errFd, 2) < 0) ::_exit(127);
        ::signal(SIGPIPE, SIG_DFL); // as a shell leaves it, whatever the test runner's
        char* argv[] = {const_cast<char*>(ZANTIVA_PROGRAM), const_cast<char*>("--version"), nullptr};
        ::execv(ZANTIVA_PROGRAM, argv);
        ::_exit(127);
    }
    ::close(ends[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readWholeFile(err).value_or(""), "failed: Couldn't write all the results to standard output.\n");
}

} // namespace
} // namespace zantiva
