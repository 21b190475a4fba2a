#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/magic.h>
#include <sched.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "../../Support/ScratchCgroup.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/ThrownBy.h"
#include "Engines/MemoryTestEngine.h"
#include "Platform/FileDescriptor.h"
#include "Platform/NamedThread.h"

namespace zantiva {
namespace {

constexpr std::int64_t chunk = MemoryTestEngine::chunkBytes;
constexpr std::int64_t smallBuffer = 4 * chunk;  // four chunks per pass

struct Report {
    MemoryTestProgress progress;
    int pass;
    std::uint8_t pattern;
    bool verifying;
};

TEST(MemoryTestEngine, HealthyRunReportsEveryChunkOfEveryPassInOrder) {
    std::vector<Report> reports;
    std::string thread;
    MemoryTestEngine engine(smallBuffer);
    const MemoryTestResult r = engine.run(
        [&](const MemoryTestProgress& p, int pass, std::uint8_t pattern, bool verifying) {
            reports.push_back({p, pass, pattern, verifying});
            thread = currentThreadName();
        },
        CancelToken());
    EXPECT_EQ(r.testedBytes, smallBuffer);
    EXPECT_EQ(r.errorsDetected, 0);
    EXPECT_TRUE(r.passed());
    EXPECT_GT(r.averageWriteThroughputMBps, 0);
    EXPECT_GT(r.averageReadThroughputMBps, 0);
    EXPECT_EQ(r.averageWriteThroughputMBps, std::round(r.averageWriteThroughputMBps));
    EXPECT_EQ(r.averageReadThroughputMBps, std::round(r.averageReadThroughputMBps));
    EXPECT_GT(r.durationSeconds, 0);
    EXPECT_EQ(thread, "zv-memory");

    ASSERT_EQ(reports.size(), 24u);
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const int pass = static_cast<int>(i / 8) + 1;
        const bool verifying = (i % 8) >= 4;
        EXPECT_EQ(reports[i].pass, pass);
        EXPECT_EQ(reports[i].pattern, MemoryTestEngine::patterns[pass - 1]);
        EXPECT_EQ(reports[i].verifying, verifying);
        EXPECT_EQ(reports[i].progress.currentPhase, verifying ? "verify" : "write");
        // A test this short reports the 1.5 s floor as its total.
        EXPECT_EQ(reports[i].progress.totalDurationSeconds,
                  std::max(1.5, reports[i].progress.elapsedSeconds));
        if (i > 0) {
            EXPECT_GE(reports[i].progress.elapsedSeconds, reports[i - 1].progress.elapsedSeconds);
        }
    }
}

TEST(MemoryTestEngine, VerifyReadsBackWhatTheMemoryHolds) {
    // One byte turned after every write pass: the verify must see each of them.
    MemoryTestEngine oneByte(smallBuffer, [](std::span<std::byte> buffer, std::uint8_t pattern) {
        buffer[buffer.size() - 7] = static_cast<std::byte>(pattern ^ 0x01);
    });
    EXPECT_EQ(oneByte.run(nullptr, CancelToken()).errorsDetected, 3);

    // A whole chunk overwritten in one pass only.
    MemoryTestEngine wholeChunk(smallBuffer, [](std::span<std::byte> buffer, std::uint8_t pattern) {
        if (pattern == 0xFF) std::fill_n(buffer.begin() + chunk, chunk, std::byte{0x12});
    });
    const MemoryTestResult r = wholeChunk.run(nullptr, CancelToken());
    EXPECT_EQ(r.errorsDetected, chunk);
    EXPECT_FALSE(r.passed());
}

TEST(MemoryTestEngine, CancellationStopsBeforeTheNextChunk) {
    CancelToken cancel;
    std::vector<std::tuple<int, bool>> seen;
    MemoryTestEngine engine(smallBuffer);
    EXPECT_THROW(engine.run(
                     [&](const MemoryTestProgress&, int pass, std::uint8_t, bool verifying) {
                         seen.emplace_back(pass, verifying);
                         if (pass == 2 && !verifying) cancel.cancel();
                     },
                     cancel),
                 CancellationError);
    // Pass 1 whole (8 reports), then exactly one chunk of the second write pass.
    ASSERT_EQ(seen.size(), 9u);
    EXPECT_EQ(seen.back(), std::make_tuple(2, false));
}

TEST(MemoryTestEngine, BufferThatCannotBeHadIsATypedFailure) {
    // More than the address space holds, so no allocator setting can grant it; under a root
    // that tells no limits, the allocation itself is what fails.
    constexpr std::int64_t impossible = std::int64_t{1} << 48;
    const testing::TemporaryFolder noLimits;
    const auto failure = testing::thrownBy<MemoryTestFailure>(
        [&] { MemoryTestEngine(impossible, {}, ProbeRoot(noLimits.path())).run(nullptr, {}); });
    EXPECT_EQ(failure.requestedBytes, impossible);
    EXPECT_FALSE(failure.freeBytes);
    EXPECT_STREQ(failure.what(), "couldn't reserve 268435456 MiB of memory for the memory test");
}

// Where less than the buffer and its margin is free, nothing is reserved or touched, and the
// failure says what was needed and what was free.
TEST(MemoryTestEngine, TooLittleFreeMemoryIsRefusedBeforeAnythingIsReserved) {
    const testing::TemporaryFolder machine;
    std::filesystem::create_directories(machine / "proc");
    testing::writeRaw(machine / "proc/meminfo", "MemTotal: 8388608 kB\nMemAvailable: 40960 kB\n");
    int reports = 0;
    const auto failure = testing::thrownBy<MemoryTestFailure>([&] {
        MemoryTestEngine(smallBuffer, {}, ProbeRoot(machine.path()))
            .run([&](const MemoryTestProgress&, int, std::uint8_t, bool) { ++reports; }, {});
    });
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(failure.neededBytes, smallBuffer + MemoryTestEngine::spareBytes);
    EXPECT_EQ(failure.freeBytes, std::int64_t{40} << 20);
    EXPECT_STREQ(failure.what(), "couldn't reserve 16 MiB of memory for the memory test: it needs 80 MiB free, "
                                 "and only 40 MiB is free to this program");
    EXPECT_EQ(failure.userMessage(), LocalizedMessage("Ram.NotEnoughMemory", 80, 40));

    // With enough free, the same machine runs the test.
    testing::writeRaw(machine / "proc/meminfo", "MemTotal: 8388608 kB\nMemAvailable: 4194304 kB\n");
    EXPECT_EQ(MemoryTestEngine(smallBuffer, {}, ProbeRoot(machine.path())).run(nullptr, {}).errorsDetected, 0);
}

constexpr std::uint64_t mib = 1 << 20;

// The standard test where less than it needs is free: 0 when it ends in the failure that
// says what is free (less than the group's limit), alive.
int standardTestFailsWithin(std::uint64_t limitBytes) {
    try {
        MemoryTestEngine().run(nullptr, {});
    } catch (const MemoryTestFailure& failure) {
        return failure.freeBytes && static_cast<std::uint64_t>(*failure.freeBytes) < limitBytes ? 0 : 1;
    }
    return 2;
}

// A cgroup's limit doesn't fail an allocation: the kernel kills the process that passes it.
// The standard test in a 128 MiB group must end with the failure, alive; so must it inside a
// cgroup namespace of its own (unshare -C, a sandbox) that still sees the hierarchy's mount
// from outside, where the group reads as "/".
TEST(MemoryTestEngine, AMemoryCgroupBelowTheBufferGivesTheFailureNotAKill) {
    const testing::MemoryCgroup group(128 * mib);
    if (!group.made()) GTEST_SKIP() << "no memory cgroup can be made here (needs root or a delegated group)";
    EXPECT_EQ(group.endOfChildInside([] { return standardTestFailsWithin(128 * mib); }), "exit 0");
    EXPECT_EQ(group.endOfChildInside([] {
        return ::unshare(CLONE_NEWCGROUP) == 0 ? standardTestFailsWithin(128 * mib) : 5;
    }), "exit 0") << "in a cgroup namespace";
}

// A group mostly full of clean page cache, read twice so that the kernel keeps it active: it is
// given back as the buffer is made, so a test of 32 MiB runs where the group's unused memory
// wouldn't hold it.
TEST(MemoryTestEngine, CleanPageCacheInTheGroupCountsAsFree) {
    const testing::MemoryCgroup group(192 * mib);
    if (!group.made()) GTEST_SKIP() << "no memory cgroup can be made here (needs root or a delegated group)";
    const testing::TemporaryFolder folder;
    struct statfs kind {};
    if (::statfs(folder.path().c_str(), &kind) == 0 && kind.f_type == TMPFS_MAGIC)
        GTEST_SKIP() << "the temporary folder is on tmpfs, whose pages are no cache to give back";
    EXPECT_EQ(group.endOfChildInside([cached = folder / "cached"] {
        const FileDescriptor file(::open(cached.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        std::string block(mib, 'z');
        for (int i = 0; i < 160; ++i)
            if (::write(file.get(), block.data(), block.size()) != ssize_t(block.size())) return 5;
        if (::fsync(file.get()) != 0) return 5;
        for (int pass = 0; pass < 2; ++pass)
            for (off_t at = 0; ::pread(file.get(), block.data(), block.size(), at) > 0; at += off_t(mib)) {}
        return MemoryTestEngine(8 * chunk).run(nullptr, {}).errorsDetected == 0 ? 0 : 1;
    }), "exit 0");
}

TEST(MemoryTestEngine, SizeMustBeWholeChunks) {
    EXPECT_THROW(MemoryTestEngine(0), std::invalid_argument);
    EXPECT_THROW(MemoryTestEngine(-chunk), std::invalid_argument);
    EXPECT_THROW(MemoryTestEngine(chunk + 4096), std::invalid_argument);
    EXPECT_NO_THROW(MemoryTestEngine{chunk});
    EXPECT_NO_THROW(MemoryTestEngine{});
}

} // namespace
} // namespace zantiva
