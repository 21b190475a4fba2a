#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "../../Support/ThrownBy.h"
#include "Engines/MemoryTestEngine.h"
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
    // More than the address space holds, so no allocator setting can grant it.
    constexpr std::int64_t impossible = std::int64_t{1} << 48;
    const auto failure = testing::thrownBy<MemoryTestFailure>([] { MemoryTestEngine(impossible).run(nullptr, {}); });
    EXPECT_EQ(failure.requestedBytes, impossible);
    EXPECT_STREQ(failure.what(), "couldn't reserve 268435456 MiB of memory for the memory test");
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
