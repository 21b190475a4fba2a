#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../Core/Engines/StorageTestSupport.h"
#include "../Support/TemporaryFolder.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Localization/Loc.h"
#include "Platform/AtomicFile.h"

namespace zantiva {
namespace {

struct Ended {
    int signal = 0;  // the signal that ended it, 0 when it exited
    int status = -1;
    std::string out, err;
};

// The program with standard output and error in files, under a file-size limit (ulimit -f):
// a pipe knows no such limit, only a file does.
Ended runWithFileSizeLimit(const std::vector<std::string>& words, rlim_t limit, const testing::TemporaryFolder& folder) {
    const auto out = folder / "out", err = folder / "err";
    std::vector<char*> argv{const_cast<char*>(ZANTIVA_PROGRAM)};
    for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const rlimit fileSize{limit, limit};
        if (outFd < 0 || errFd < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 ||
            ::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            ::_exit(127);
        ::signal(SIGXFSZ, SIG_DFL); // as a shell leaves it, whatever the test runner's
        ::execv(ZANTIVA_PROGRAM, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    Ended ended{.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0, .status = WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    ended.out = readWholeFile(out).value_or("");
    ended.err = readWholeFile(err).value_or("");
    return ended;
}

// A redirected dump that meets the limit fails the write and says so, rather than being cut
// off by SIGXFSZ with no word and status 153.
TEST(FileSizeLimit, ADumpIntoAFilePastTheLimitFailsInWordsInsteadOfDying) {
    const testing::TemporaryFolder folder;
    const Ended dump = runWithFileSizeLimit({"--dump-hardware"}, 1024, folder);
    EXPECT_EQ(dump.signal, 0) << "killed by signal " << dump.signal;
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.err, "failed: Couldn't write all the results to standard output.\n");
    EXPECT_LE(dump.out.size(), 1024u);
}

// The storage test sees the limit before it writes anything, and says it is the limit.
TEST(FileSizeLimit, TheStorageTestNamesTheLimitInsteadOfDying) {
    testing::useDiskForTemporaryFolders();
    const testing::TemporaryFolder folder;
    std::filesystem::create_directory(folder / "target");
    struct statvfs volume {};
    if (::statvfs(folder.path().c_str(), &volume) == 0 && volume.f_bavail * volume.f_frsize < 1'342'177'280u)
        GTEST_SKIP() << "the test file needs 1.3 GB free on " << folder.path();
    const Ended ssd = runWithFileSizeLimit({"--ssd", (folder / "target").string(), "--quick"}, 1 << 20, folder);
    EXPECT_EQ(ssd.signal, 0) << "killed by signal " << ssd.signal;
    EXPECT_EQ(ssd.status, 1);
    const Loc loc(AppLanguage::english);
    const StorageBenchmarkFailure limit(StorageBenchmarkFailure::Kind::fileTooLarge);
    EXPECT_EQ(ssd.out, "failed: " + loc.resolve(limit.userMessage()) + "\n");
}

} // namespace
} // namespace zantiva
