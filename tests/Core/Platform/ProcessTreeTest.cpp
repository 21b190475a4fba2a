// The process-tree reader on procfs trees written for the test, and on this process.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "../../Support/TemporaryFolder.h"
#include "Platform/ProcessTree.h"

namespace zantiva {
namespace {

struct FixtureProc : ::testing::Test {
    testing::TemporaryFolder folder;
    const std::filesystem::path proc = folder / "proc";

    void process(pid_t pid, const std::string& stat, const std::string& status = "") {
        std::filesystem::create_directories(proc / std::to_string(pid));
        std::ofstream(proc / std::to_string(pid) / "stat") << stat;
        std::ofstream(proc / std::to_string(pid) / "status") << status;
    }
};

TEST_F(FixtureProc, FindsEveryDescendantOnceEvenWhereParentLinksLoop) {
    process(10, "10 (guard) S 1 10 10");
    process(11, "11 (a tool (x)) S 10 11 11");
    process(12, "12 (sh) S 11 11 11");
    process(13, "13 (setsid) S 12 13 13");
    process(14, "14 (other) S 1 14 14");
    process(15, "15 (garbled");
    EXPECT_EQ(descendantsOf(10, proc), (std::vector<pid_t>{11, 12, 13}));
    // A pid reused while the tree is read may point back up: the reader still ends.
    process(10, "10 (reused) S 13 10 10");
    EXPECT_EQ(descendantsOf(10, proc), (std::vector<pid_t>{11, 12, 13}));
}

TEST_F(FixtureProc, FindsADescendantWhoseNameHoldsALineBreak) {
    process(10, "10 (guard) S 1 10 10 0\n");
    process(11, "11 (hid\nden) S 10 11 11 0\n");
    process(12, "12 (sh) S 11 11 11 0\n");
    EXPECT_EQ(descendantsOf(10, proc), (std::vector<pid_t>{11, 12}));
}

TEST_F(FixtureProc, OwnMemoryIsTheResidentAnonymousMemoryOrNothing) {
    process(20, "20 (a) S 1", "Name:\ta\nRssAnon:\t    2048 kB\nRssFile:\t  9000 kB\n");
    process(21, "21 (b) S 1", "Name:\tb\nRssFile:\t 9000 kB\n");
    process(22, "22 (c) S 1", "RssAnon:\t99999999999999999999 kB\n");
    process(23, "23 (d) S 1", "RssAnon:\t12 MB\n");
    EXPECT_EQ(ownMemoryOf(20, proc), 2048u * 1024);
    for (const pid_t pid : {21, 22, 23, 24}) EXPECT_EQ(ownMemoryOf(pid, proc), 0u) << pid;
    EXPECT_GT(ownMemoryOf(::getpid()), 0u);
}

// The page reader's memory bound: what can't be read is unknown, never nothing.
TEST_F(FixtureProc, TheTreesMemoryIsUnknownWhereALookFails) {
    process(10, "10 (reader) S 1 10 10", "RssAnon:\t1024 kB\n");
    process(11, "11 (engine) S 10 11 11", "RssAnon:\t2048 kB\n");
    process(12, "12 (other) S 1 12 12", "RssAnon:\t4096 kB\n");
    EXPECT_EQ(treeMemoryOf(10, proc), 3072u * 1024);
    std::filesystem::remove(proc / "11" / "status");
    EXPECT_EQ(treeMemoryOf(10, proc), 1024u * 1024) << "a process that went holds nothing";

    std::filesystem::create_directory(proc / "11" / "status"); // its read fails
    EXPECT_EQ(ownMemoryOf(11, proc), std::nullopt);
    EXPECT_EQ(treeMemoryOf(10, proc), std::nullopt);
    std::filesystem::remove(proc / "11" / "status");
    std::filesystem::create_directory(proc / "13");
    std::filesystem::create_directory(proc / "13" / "stat");
    EXPECT_EQ(descendantsOf(10, proc), std::nullopt);
    EXPECT_EQ(treeMemoryOf(10, proc), std::nullopt);
}

} // namespace
} // namespace zantiva
