#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../Support/RecordingActivity.h"
#include "../Support/TemporaryFolder.h"
#include "../Support/WorkingFolder.h"
#include "CLI/StorageMode.h"
#include "Model/Date.h"

namespace zantiva {
namespace {

struct StorageMode : ::testing::Test {
    std::ostringstream out, err;
    Loc loc{AppLanguage::english};
    CliContext context{out, err, false, loc};
};

TEST_F(StorageMode, PrintsOneLinePerMeasurementThenTheRecordsOtherFields) {
    StorageBenchmarkResult result;
    result.targetFolder = "/data/disk";
    result.fileSizeBytes = 1'073'741'824;
    result.seqRead = StorageTestMeasurement{2345.64, 2236.7, 3.5714};
    result.randomQ1Write = StorageTestMeasurement{0.04, 9.5, 0.0005};
    result.durationSeconds = 12.5;
    result.completedAt = *parseIso8601("2026-12-06T20:41:07Z");

    printStorageResultLines(out, result);
    EXPECT_EQ(out.str(), "SEQ1M Q8T1 read: 2345.6 MB/s, 2236.7 IOPS, 3.571 ms\n"
                         "RND4K Q1T1 write: 0.0 MB/s, 9.5 IOPS, 0.001 ms\n"
                         "completedAt: 2026-12-06T20:41:07Z\n"
                         "durationSeconds: 12.5\n"
                         "fileSizeBytes: 1073741824\n"
                         "targetFolder: /data/disk\n");
}

TEST_F(StorageMode, AnUnusableFolderPrintsTheUsersMessageAndFails) {
    auto activity = std::make_shared<testing::RecordingActivity>();
    context.activity = activity;
    EXPECT_EQ(runStorageMode(CommandLine({"--ssd", "/nonexistent/zantiva", "--quick"}), context), 1);
    EXPECT_EQ(out.str(), "failed: " + loc.resolve(LocalizedMessage("Ssd.Error.TargetUnavailable")) + "\n");
    EXPECT_TRUE(err.str().empty());
    // The run kept the machine awake through the context's activity, and let go.
    EXPECT_EQ(activity->reasons, std::vector<std::string>{"Zantiva SSD speed test"});
    EXPECT_EQ(activity->held.load(), 0);
}

// Run in the working folder, which was removed: there is no folder to test.
TEST_F(StorageMode, AWorkingFolderThatWasRemovedIsAFolderThatIsNotThere) {
    const testing::TemporaryFolder scratch;
    const std::filesystem::path removed = scratch / "removed";
    std::filesystem::create_directory(removed);
    testing::WorkingFolder working(removed);
    ASSERT_TRUE(working.entered());
    std::filesystem::remove(removed);
    const int status = runStorageMode(CommandLine({"--ssd", "--quick"}), context);
    working.back();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out.str(), "failed: " + loc.resolve(LocalizedMessage("Ssd.Error.TargetUnavailable")) + "\n");
}

} // namespace
} // namespace zantiva
