// The real program in poor surroundings: a low limit on open descriptors, and a standard
// output whose reader went away.

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "../Support/ChildEnd.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/TemporaryFolder.h"
#include "Platform/AtomicFile.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

// The window's launch, on a display nobody answers (the window is never made): under a limit
// it can't raise far enough it fails at once and says how to mend it; under a low soft limit
// with room above it, it raises the limit and goes on to the display.
TEST(FewDescriptors, TheWindowFailsAtOnceNamingUlimitUnlessItCanRaiseTheLimit) {
    const testing::EnvironmentChange x11("DISPLAY", ":4711"), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt);
    const auto windowUnder = [](const std::string& limits) {
        const auto run = runBoundedProcess({"prlimit", "--nofile=" + limits, ZANTIVA_PROGRAM}, std::chrono::seconds(60),
                                           1 << 20, {}, 1 << 16);
        return run ? *run : BoundedProcessResult{};
    };
    for (const std::string limit : {"16", "20", "100"}) {
        const auto window = windowUnder(limit + ":" + limit);
        EXPECT_EQ(window.exitStatus, 1) << limit;
        EXPECT_EQ(window.errors, "failed: the window needs 128 open files, and only " + limit +
                                     " are allowed: raise the limit (ulimit -n 128) and start it again\n");
    }
    const auto raised = windowUnder("16:4096");
    EXPECT_EQ(raised.exitStatus, 1);
    EXPECT_EQ(raised.output, "failed: can't open the display (DISPLAY=:4711)\n");
}

// Standard output is a pipe whose reader has gone (`… | true`): the write fails in words and
// status 1, as a full disk's does, instead of SIGPIPE ending the program with no word.
TEST(BrokenPipe, AStandardOutputNobodyReadsFailsInWords) {
    const testing::TemporaryFolder folder;
    const auto err = folder / "err";
    EXPECT_EQ(testing::endOfChild([&] {
        int ends[2];
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (::pipe2(ends, O_CLOEXEC) != 0 || errFd < 0 || ::dup2(ends[1], 1) < 0 || ::dup2(errFd, 2) < 0) return 127;
        ::close(ends[0]);
        ::signal(SIGPIPE, SIG_DFL); // as a shell leaves it, whatever the test runner's
        ::execl(ZANTIVA_PROGRAM, ZANTIVA_PROGRAM, "--version", nullptr);
        return 127;
    }), "exit 1");
    EXPECT_EQ(readWholeFile(err).value_or(""), "failed: Couldn't write all the results to standard output.\n");
}

} // namespace
} // namespace zantiva
