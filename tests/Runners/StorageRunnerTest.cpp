// The storage runner over the real engine on a disk folder, with a tiny workload: what it
// keeps after a run, a failure and a stop, and that quitting mid-test leaves no test file.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "../Core/Engines/StorageTestSupport.h"
#include "../Support/FullDisk.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Model/ResultStore.h"
#include "Model/TestPlans.h"
#include "SuiteTestSupport.h"
#include "Runners/StorageRunner.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva::testing {
namespace {

StorageRunnerConfiguration tinyStorage() {
    StorageRunnerConfiguration c;
    c.benchmark = {.fileSize = StorageBenchmarkConfiguration::minimumFileSize, .runsPerTest = 1, .measureSeconds = 0.05,
                   .settleSeconds = 0};
    c.drives = fixtureDriveHealth(fixtureMachine("amd-desktop"));
    return c;
}

// Long enough to be stopped in the middle.
StorageRunnerConfiguration slowStorage() {
    StorageRunnerConfiguration c = tinyStorage();
    c.benchmark.measureSeconds = 30;
    return c;
}

class StorageRunnerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { useDiskForTemporaryFolders(); }

    std::unique_ptr<StorageRunner> makeRunner(StorageRunnerConfiguration configuration) {
        auto made = std::make_unique<StorageRunner>(store, gate, std::move(configuration));
        made->setModel(host);
        host->recordScreens(*made, AppScreen::storage);
        return made;
    }

    // Until the first measured run is under way.
    bool awaitMeasuring(const StorageRunner& runner) {
        return runUntil([&] { return runner.run() >= 1; });
    }

    TemporaryFolder appFolder;
    ResultStore store{appFolder.path()};
    TemporaryFolder target;
    std::shared_ptr<RunGate> gate = std::make_shared<RunGate>();
    std::shared_ptr<TestHost> host = std::make_shared<TestHost>();
};

// Whether a thread of this process has the name.
bool hasThread(const std::string& name) {
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string comm;
        std::getline(std::ifstream(task.path() / "comm"), comm);
        if (comm == name) return true;
    }
    return false;
}

TEST_F(StorageRunnerTest, ASuccessfulRunKeepsAndStoresItsResultWithTheDrivesHealth) {
    auto runner = makeRunner(tinyStorage());
    int reports = 0;
    QObject::connect(runner.get(), &StorageRunner::progressChanged, [&] { ++reports; });
    runner->start(target.path());
    EXPECT_TRUE(runner->isRunning());
    EXPECT_TRUE(gate->isBusy());
    EXPECT_EQ(host->screens, std::vector{AppScreen::storage});
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));

    EXPECT_GT(reports, 0);
    EXPECT_FALSE(runner->failure());
    ASSERT_TRUE(runner->result());
    EXPECT_EQ(runner->result()->targetFolder, target.path().string());
    EXPECT_TRUE(runner->result()->seqRead);
    EXPECT_TRUE(runner->result()->driveHealth);
    const auto stored = store.loadStorageResult();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->toJson(), runner->result()->toJson());
    EXPECT_TRUE(leftoverTestFiles(target.path()).empty());
    EXPECT_FALSE(gate->isBusy());
}

TEST_F(StorageRunnerTest, AFailedRunKeepsThePreviousResultAndTheNextStartClearsTheFailure) {
    store.saveStorageResult({.targetFolder = "/older", .seqRead = StorageTestMeasurement{}});
    auto runner = makeRunner(tinyStorage());
    runner->setResult(store.loadStorageResult());
    const auto previous = runner->result();

    runner->start(target / "gone");
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_EQ(runner->failure(), StorageBenchmarkFailure(StorageBenchmarkFailure::Kind::targetUnavailable).userMessage());
    EXPECT_EQ(runner->result(), previous);
    EXPECT_EQ(store.loadStorageResult(), previous);

    runner->start(target.path());
    EXPECT_FALSE(runner->failure());
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_NE(runner->result(), previous);
}

TEST_F(StorageRunnerTest, AResultThatCantBeStoredIsShownAndToldAsNotSaved) {
    const FullDisk disk(appFolder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    ASSERT_TRUE(store.saveStorageResult({.targetFolder = "/older"}).saved());
    disk.fill();
    auto runner = makeRunner(tinyStorage());
    runner->start(target.path());
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));

    ASSERT_TRUE(runner->result());
    EXPECT_EQ(runner->result()->targetFolder, target.path().string());
    EXPECT_EQ(host->statuses, std::vector<std::optional<LocalizedMessage>>{LocalizedMessage("NotSaved.Storage.DiskFull")});
    EXPECT_EQ(store.loadStorageResult()->targetFolder, "/older");
}

TEST_F(StorageRunnerTest, AStoppedRunRecordsNothingAndLeavesNoTestFile) {
    auto runner = makeRunner(slowStorage());
    runner->start(target.path());
    ASSERT_TRUE(awaitMeasuring(*runner));
    runner->stop();
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }, std::chrono::seconds(20)));

    EXPECT_FALSE(runner->failure());
    EXPECT_FALSE(runner->result());
    EXPECT_FALSE(store.loadStorageResult());
    EXPECT_TRUE(leftoverTestFiles(target.path()).empty());
}

TEST_F(StorageRunnerTest, QuittingDuringTheTestStopsItAndLeavesNoTestFile) {
    auto runner = makeRunner(slowStorage());
    runner->start(target.path());
    ASSERT_TRUE(awaitMeasuring(*runner));
    ASSERT_TRUE(hasThread("zv-ssd"));
    runner.reset(); // the app quits: the runner goes with the model

    EXPECT_FALSE(hasThread("zv-ssd")); // the engine ended before the runner was gone
    EXPECT_TRUE(leftoverTestFiles(target.path()).empty());
    EXPECT_FALSE(gate->isBusy());
    runUntil([] { return false; }, std::chrono::milliseconds(200)); // the ended run's wait comes back to nothing
    EXPECT_FALSE(store.loadStorageResult());
}

TEST_F(StorageRunnerTest, TheStorageTestAndTheSuiteNeverRunTogether) {
    TestSuiteRunner suite(store, gate, tinyConfiguration());
    suite.setModel(host);
    host->recordScreens(suite, AppScreen::suite);
    suite.setDurationMinutes(0);
    auto storage = makeRunner(slowStorage());
    // The launcher follows the gate: each run enters and leaves it once; a refused start
    // changes nothing.
    int gateChanges = 0;
    QObject::connect(gate.get(), &RunGate::busyChanged, [&] { ++gateChanges; });

    storage->start(target.path());
    ASSERT_TRUE(storage->isRunning());
    suite.start(TestPlans::cpuOnly);
    EXPECT_FALSE(suite.isRunning());
    storage->stop();
    ASSERT_TRUE(runUntil([&] { return !storage->isRunning(); }, std::chrono::seconds(20)));

    suite.start(TestPlans::displayOnly); // waits at its station
    ASSERT_TRUE(suite.isRunning());
    storage->start(target.path());
    EXPECT_FALSE(storage->isRunning());
    EXPECT_EQ(host->screens, (std::vector{AppScreen::storage, AppScreen::suite}));
    suite.stop();
    ASSERT_TRUE(runUntil([&] { return !suite.isRunning(); }));
    EXPECT_FALSE(gate->isBusy());
    EXPECT_EQ(gateChanges, 4);
}

} // namespace
} // namespace zantiva::testing
