#include "Platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "../../Support/ExfatDisk.h"
#include "../../Support/Fifo.h"
#include "../../Support/TemporaryFolder.h"

namespace fs = std::filesystem;
using zantiva::readWholeFile;
using zantiva::writeFileAtomically;
using zantiva::testing::TemporaryFolder;
using zantiva::testing::writeRaw;

namespace {

int temporaryCount(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp-") != std::string::npos) ++count;
    return count;
}

// The id of a process that has ended and been reaped.
pid_t finishedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

TEST(AtomicFile, WritesAndReplacesWholeFilesLeavingNoTemporary) {
    TemporaryFolder folder;
    const fs::path file = folder / "data.json";
    EXPECT_FALSE(writeFileAtomically(file, "first"));
    EXPECT_EQ(readWholeFile(file), "first");
    EXPECT_FALSE(writeFileAtomically(file, ""));
    EXPECT_EQ(readWholeFile(file), "");
    const std::string large(3 << 20, 'x');
    EXPECT_FALSE(writeFileAtomically(file, large));
    EXPECT_EQ(readWholeFile(file), large);
    EXPECT_EQ(temporaryCount(folder.path()), 0);
}

TEST(AtomicFile, FailedWriteReportsTheErrorAndLeavesNothingBehind) {
    TemporaryFolder folder;
    EXPECT_EQ(writeFileAtomically(folder / "missing" / "data.json", "x"), std::errc::no_such_file_or_directory);
    EXPECT_FALSE(fs::exists(folder / "missing"));

    // A folder where the file should be: the rename fails and the temporary file goes.
    fs::create_directory(folder / "taken");
    writeRaw(folder / "taken" / "inside", "kept");
    EXPECT_TRUE(writeFileAtomically(folder / "taken", "x"));
    EXPECT_EQ(readWholeFile(folder / "taken" / "inside"), "kept");
    EXPECT_EQ(temporaryCount(folder.path()), 0);
}

TEST(AtomicFile, WrittenFilesAreTheOwnersAloneUnlessTheUserAskedForThem) {
    TemporaryFolder folder;
    const mode_t previous = ::umask(022);
    const auto modeOf = [](const fs::path& file) { return fs::status(file).permissions(); };
    const fs::path kept = folder / "settings.json";
    writeRaw(kept, "older install");
    fs::permissions(kept, fs::perms(0644));
    EXPECT_FALSE(writeFileAtomically(kept, "x"));
    EXPECT_EQ(modeOf(kept), fs::perms(0600)) << "the replacement is closed, whatever the old file was";
    EXPECT_FALSE(writeFileAtomically(folder / "new.json", "x"));
    EXPECT_EQ(modeOf(folder / "new.json"), fs::perms(0600));
    EXPECT_FALSE(writeFileAtomically(folder / "export.csv", "x", zantiva::FileAccess::userUmask));
    EXPECT_EQ(modeOf(folder / "export.csv"), fs::perms(0644));
    ::umask(previous);
}

// Under a umask that takes the owner's own bits, the program's files are still its to read
// and write again; a file the user asked for keeps what the umask gives.
TEST(AtomicFile, WrittenFilesAre0600WhateverTheUmask) {
    TemporaryFolder folder;
    for (const mode_t mask : {mode_t(0277), mode_t(0777), mode_t(000)}) {
        const mode_t previous = ::umask(mask);
        const fs::path file = folder / "settings.json";
        const std::error_code ec = writeFileAtomically(file, "x");
        ::umask(previous);
        EXPECT_FALSE(ec) << std::oct << mask;
        EXPECT_EQ(fs::status(file).permissions(), fs::perms(0600)) << std::oct << mask;
    }
}

// Where a chmod changes nothing (exFAT through FUSE), a file for the owner alone is not written.
TEST(AtomicFile, AFileForTheOwnerAloneIsNotWrittenWhereOthersCouldReadIt) {
    TemporaryFolder folder;
    const zantiva::testing::ExfatDisk disk(folder / "stick.img", folder / "stick");
    if (disk.refused()) GTEST_SKIP() << *disk.refused();
    EXPECT_EQ(writeFileAtomically(folder / "stick" / "settings.json", "{}"), std::errc::operation_not_supported);
    EXPECT_TRUE(fs::is_empty(folder / "stick"));
}

TEST(AtomicFile, ReadsOnlyRegularFiles) {
    TemporaryFolder folder;
    EXPECT_EQ(readWholeFile(folder / "missing"), std::nullopt);
    EXPECT_EQ(readWholeFile(folder.path()), std::nullopt);
    const std::string binary("a\0b\xff", 4);
    writeRaw(folder / "binary", binary);
    EXPECT_EQ(readWholeFile(folder / "binary"), binary);
}

TEST(AtomicFile, NeverWaitsOnAFifoNorReadsMoreThanTheLimit) {
    TemporaryFolder folder;
    const fs::path fifo = folder / "fifo";
    zantiva::testing::makeFifo(fifo);
    EXPECT_EQ(zantiva::testing::withoutBlockingOn(fifo, [&] { return readWholeFile(fifo); }), std::nullopt);

    const fs::path large = folder / "large";
    writeRaw(large, "x");
    fs::resize_file(large, zantiva::storedFileLimit);
    EXPECT_EQ(readWholeFile(large)->size(), zantiva::storedFileLimit);
    fs::resize_file(large, zantiva::storedFileLimit + 1);
    EXPECT_EQ(readWholeFile(large), std::nullopt);
}

TEST(AtomicFile, NextWriteRemovesTemporariesOfEndedWritersOnly) {
    TemporaryFolder folder;
    const fs::path file = folder / "data.json";
    const std::string dead = ".data.json.tmp-" + std::to_string(finishedProcessId()) + "-abc";
    const std::string living = ".data.json.tmp-" + std::to_string(::getppid()) + "-abc";
    const std::string ours = ".data.json.tmp-" + std::to_string(::getpid()) + "-abc";
    const std::string otherFile = ".other.json.tmp-" + std::to_string(finishedProcessId()) + "-abc";
    for (const auto& name : {dead, living, ours, otherFile}) writeRaw(folder / name, "partial");

    EXPECT_FALSE(writeFileAtomically(file, "new"));
    EXPECT_FALSE(fs::exists(folder / dead));
    EXPECT_TRUE(fs::exists(folder / living));
    EXPECT_TRUE(fs::exists(folder / ours));
    EXPECT_TRUE(fs::exists(folder / otherFile));
}

// A writer killed at any moment leaves the old file or the new one, whole, and at most one
// temporary file, which the next write cleans up.
TEST(AtomicFile, KillDuringWriteNeverLeavesATornFile) {
    TemporaryFolder folder;
    const fs::path file = folder / "report.json";
    const std::string contentA = "A" + std::string(2 << 20, 'a') + "A";
    const std::string contentB = "B" + std::string(2 << 20, 'b') + "B";
    ASSERT_FALSE(writeFileAtomically(file, contentA));

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayMicroseconds(0, 15000);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) writeFileAtomically(file, i % 2 == 0 ? contentB : contentA);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const auto content = readWholeFile(file);
        ASSERT_TRUE(content == contentA || content == contentB) << "torn file in round " << round;
        ASSERT_LE(temporaryCount(folder.path()), 1) << "round " << round;
    }
    ASSERT_FALSE(writeFileAtomically(file, "final"));
    EXPECT_EQ(temporaryCount(folder.path()), 0);
}
