// The stat line of a process, parsed alone, read from procfs trees written for the test and
// from /proc while a process ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../../Support/TemporaryFolder.h"
#include "Platform/KernelFile.h"
#include "Platform/ProcessStat.h"

namespace zantiva {
namespace {

TEST(ProcessStat, ParsesTheFieldsAroundAnyNameAndRefusesAGarbledLine) {
    EXPECT_EQ(parseProcessStat("11 (a tool (x)) Z 10 11 11 0 -1"), (ProcessStat{11, "a tool (x)", 'Z', 10, 11}));
    EXPECT_EQ(parseProcessStat("1 (init) S 0 1"), (ProcessStat{1, "init", 'S', 0, 1}));
    for (const char* line : {"15 (garbled", "15 )x( S 1 15", "15 (x) S 1", "15 (x) SS 1 15", "(x) S 1 15",
                             "abc (x) S 1 15", "-15 (x) S 1 15", "15 (x) S -1 15", "99999999999 (x) S 1 15"})
        EXPECT_EQ(parseProcessStat(line), std::nullopt) << line;
}

TEST(ProcessStat, ReadsTheWholeFileOfTheProcessItNames) {
    testing::TemporaryFolder folder;
    const auto proc = folder / "proc";
    const auto write = [&](const std::string& pid, const std::string& stat) {
        std::filesystem::create_directories(proc / pid);
        std::ofstream(proc / pid / "stat") << stat;
    };
    // A process may put a line break in its own name.
    write("20", "20 (two\nlines) S 1 20 20 0\n");
    write("21", "22 (other) S 1 21 21 0\n");
    write("self", "20 (two\nlines) S 1 20 20 0\n");
    EXPECT_EQ(processStatOf(20, proc), (ProcessStat{20, "two\nlines", 'S', 1, 20}));
    EXPECT_EQ(processStatOf(21, proc), std::nullopt);
    EXPECT_EQ(processStatOf(23, proc), std::nullopt);
    EXPECT_EQ(allProcessStats(proc), (std::vector<ProcessStat>{*processStatOf(20, proc)}));

    const auto self = processStatOf(::getpid());
    ASSERT_TRUE(self);
    EXPECT_EQ(self->parent, ::getppid());
    EXPECT_EQ(self->state, 'R');
}

// A look that could not see every process is no look: the guard would take it for an empty
// table and kill nothing. A process that went (its stat missing) is simply left out.
TEST(ProcessStat, ATableWithAStatThatCantBeReadIsNoTable) {
    testing::TemporaryFolder folder;
    const auto proc = folder / "proc";
    std::filesystem::create_directories(proc / "20");
    std::ofstream(proc / "20" / "stat") << "20 (a) S 1 20 20 0\n";
    std::filesystem::create_directories(proc / "21");
    EXPECT_EQ(allProcessStats(proc), (std::vector<ProcessStat>{{20, "a", 'S', 1, 20}}));
    std::filesystem::create_directories(proc / "22" / "stat"); // its read fails, as one past the descriptor limit
    EXPECT_EQ(allProcessStats(proc), std::nullopt);
    EXPECT_EQ(allProcessStats(folder / "none"), std::nullopt);
}

// On a /proc mounted with hidepid=1 another user's processes are listed but their files refused
// (EPERM). Such a process is none of this one's to end, so the table still reads: counted as a
// failed look, every look would fail there and the page reader would always be over its bound.
TEST(ProcessStat, AnotherUsersProcessThatProcHidesIsLeftOut) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting /proc needs root";
    testing::TemporaryFolder folder;
    const auto proc = folder / "proc";
    std::filesystem::create_directory(proc);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::others_exec, std::filesystem::perm_options::add);
    if (::mount("proc", proc.c_str(), "proc", 0, "hidepid=1") != 0) GTEST_SKIP() << "no /proc can be mounted here";
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const auto stats = allProcessStats(proc);
        const bool sawItself = stats && std::ranges::any_of(*stats, [](const ProcessStat& s) { return s.pid == ::getpid(); });
        const bool sawRoots = stats && std::ranges::any_of(*stats, [](const ProcessStat& s) { return s.pid == 1; });
        ::_exit(sawItself && !sawRoots ? 0 : 1);
    }
    int status = 0;
    const pid_t reaped = ::waitpid(child, &status, 0);
    ::umount2(proc.c_str(), MNT_DETACH);
    ASSERT_EQ(reaped, child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the table was refused or showed what it hides";
}

// The scans of every process meet processes that end between the open of their stat and the
// read, which then fails (ESRCH): such a process is gone, and the read says so without throwing.
TEST(ProcessStat, AProcessReapedBetweenTheOpenAndTheReadReadsAsGone) {
    const pid_t child = ::fork();
    if (child == 0)
        for (;;) ::pause();
    ASSERT_GT(child, 0);
    const FileDescriptor stat = openKernelFile("/proc/" + std::to_string(child) + "/stat");
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    ASSERT_TRUE(stat.valid());
    EXPECT_EQ(readProcessStat(stat.get(), child), std::nullopt);
}

} // namespace
} // namespace zantiva
