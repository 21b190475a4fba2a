#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Engines/StorageBenchmarkFailure.h"
#include "Engines/StorageTargetCheck.h"
#include "StorageTestSupport.h"

namespace zantiva {
namespace {

using Kind = StorageBenchmarkFailure::Kind;
constexpr std::int64_t standardSize = 1'073'741'824;

std::optional<Kind> failureOf(const std::filesystem::path& folder, std::int64_t fileSize = 1'048'576) {
    try {
        StorageTargetCheck::check(folder, fileSize);
        return std::nullopt;
    } catch (const StorageBenchmarkFailure& failure) {
        return failure.kind();
    }
}

class StorageTargetCheckTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::useDiskForTemporaryFolders(); }
};

TEST_F(StorageTargetCheckTest, KeepsAQuarterGibibyteFreeBesideTheFile) {
    EXPECT_FALSE(StorageTargetCheck::hasRoom(1'342'177'279u, standardSize));
    EXPECT_TRUE(StorageTargetCheck::hasRoom(1'342'177'280u, standardSize));
    EXPECT_TRUE(StorageTargetCheck::hasRoom(std::nullopt, standardSize));
}

TEST_F(StorageTargetCheckTest, AcceptsAWritableFolderAndRefusesWhatIsNoFolder) {
    testing::TemporaryFolder folder;
    EXPECT_EQ(failureOf(folder.path()), std::nullopt);
    EXPECT_EQ(failureOf(folder / "missing"), Kind::targetUnavailable);
    std::ofstream(folder / "plain") << "x";
    EXPECT_EQ(failureOf(folder / "plain"), Kind::targetUnavailable);
    // More than the volume holds.
    EXPECT_EQ(failureOf(folder.path(), std::int64_t{1} << 60), Kind::notEnoughSpace);
}

// /proc, /sys and their kind hold no drive at all; their zero free blocks are no lack of space.
TEST_F(StorageTargetCheckTest, APseudoFileSystemIsNoTarget) {
    const std::set<std::string> pseudo{"proc", "sysfs", "devpts", "cgroup", "cgroup2", "debugfs", "tracefs",
                                       "securityfs", "configfs", "pstore", "bpf", "mqueue"};
    std::set<std::string> seen;
    std::ifstream mounts("/proc/self/mounts");
    for (std::string device, folder, type, rest; mounts >> device >> folder >> type && std::getline(mounts, rest);)
        if (pseudo.contains(type) && seen.insert(type).second) {
            EXPECT_EQ(failureOf(folder), Kind::targetUnavailable) << folder;
        }
    EXPECT_TRUE(seen.contains("proc") && seen.contains("sysfs"));
}

// A folder that only holds memory gets the answer for memory, not "free some space", though
// a small tmpfs, a ramfs (no free blocks at all) or a hugetlbfs hold less than the file.
TEST_F(StorageTargetCheckTest, AMemoryBackedFolderIsToldSoBeforeItsSpaceIsLookedAt) {
    testing::TemporaryFolder folder;
    int mounted = 0;
    for (const char* type : {"tmpfs", "ramfs", "hugetlbfs"}) {
        const auto target = folder / type;
        std::filesystem::create_directories(target);
        const char* options = std::string_view(type) == "tmpfs" ? "size=16k" : nullptr;
        if (::mount(type, target.c_str(), type, 0, options) != 0) continue;
        ++mounted;
        const auto failure = failureOf(target, standardSize);
        ::umount2(target.c_str(), MNT_DETACH);
        EXPECT_EQ(failure, Kind::directIOUnsupported) << type;
    }
    if (mounted == 0) GTEST_SKIP() << "mounting needs privilege";
}

// A file-size limit (ulimit -f) below the file is the process's limit, not the drive's space.
TEST_F(StorageTargetCheckTest, AFileSizeLimitBelowTheFileIsFileTooLarge) {
    testing::TemporaryFolder folder;
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 1'048'575;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto below = failureOf(folder.path(), 1'048'576);
    const auto within = failureOf(folder.path(), 1'044'480);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(below, Kind::fileTooLarge);
    EXPECT_EQ(within, std::nullopt);
}

TEST_F(StorageTargetCheckTest, AReadOnlyVolumeIsWriteProtected) {
    testing::TemporaryFolder folder;
    const auto source = folder / "source";
    const auto view = folder / "view";
    std::filesystem::create_directories(source);
    std::filesystem::create_directories(view);
    if (::mount(source.c_str(), view.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "bind mounts need privilege";
    const bool readOnly = ::mount(nullptr, view.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    const auto failure = failureOf(view);
    ::umount2(view.c_str(), MNT_DETACH);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(failure, Kind::writeProtected);
}

TEST_F(StorageTargetCheckTest, AFolderTheUserMayNotWriteIsAccessDenied) {
    testing::TemporaryFolder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::geteuid() != 0) {
        EXPECT_EQ(failureOf(folder.path()), Kind::accessDenied);
        return;
    }
    // Root writes anywhere: ask as an unprivileged user in a child process.
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(failureOf(folder.path()) == Kind::accessDenied ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
} // namespace zantiva
