// The app model's outside-benchmark runner: the start-up search and reading of pending
// results, and a full run that hands over to the suite, over real files and tool scripts.

#include <gtest/gtest.h>

#include <fstream>

#include "../Runners/SuiteTestSupport.h"
#include "../Support/FullDisk.h"
#include "AppModelFixture.h"
#include "External/ExternalBenchmarkCSV.h"
#include "External/ProcessLauncher.h"
#include "Model/TestPlans.h"
#include "Shell/Navigation.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

namespace fs = std::filesystem;

const fs::path tools = fs::path(ZANTIVA_FIXTURES) / "outside-tools";

// Reads every page as the same scores, and notes what was known when it was asked.
struct OnePageReader final : GeekbenchScoreReading {
    std::function<void()> onRead;
    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(QString, bool, bool, std::function<void()>,
                                                            std::stop_token) override {
        onRead();
        co_return ExternalBenchmarkResult{.singleCoreScore = 2000, .multiCoreScore = 9000};
    }
};

class OutsideBenchmarksTest : public AppModelFixture {
protected:
    AppModelSetup withTools() {
        AppModelSetup s = setup();
        s.external.service.launcher = std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD);
        return s;
    }
    std::string csvText() const {
        std::ifstream file(folder / ExternalBenchmarkCSV::fileName);
        return {std::istreambuf_iterator<char>(file), {}};
    }
};

TEST_F(OutsideBenchmarksTest, StartUpSearchesTheFoldersThenReadsThePendingPages) {
    fs::create_directories(folder / "opt" / "Geekbench-6.3.0-Linux");
    fs::copy_file(tools / "geekbench-scores", folder / "opt" / "Geekbench-6.3.0-Linux" / "geekbench6");
    ExternalBenchmarkStore(folder.path())
        .addPending({"https://browser.geekbench.com/v6/cpu/1", false, Date{}}, ExternalBenchmarkApp::geekbench);
    bool foundBeforeReading = false;
    AppModelSetup s = withTools();
    s.external.searchDirectories = {folder / "opt"};
    s.external.readerFactory = [&] {
        auto reader = std::make_unique<OnePageReader>();
        reader->onRead = [&] { foundBeforeReading = model->external().installations().isReady(ExternalBenchmarkApp::geekbench); };
        return reader;
    };
    makeModel(std::move(s));
    ExternalBenchmarkRunner& external = model->external();
    EXPECT_TRUE(external.canStart());

    awaitTask(model->start());
    ASSERT_TRUE(runUntil([&] { return external.scores().contains(ExternalBenchmarkApp::geekbench); }));
    EXPECT_TRUE(foundBeforeReading);
    EXPECT_EQ(external.installations().foundAutomatically(), std::set{ExternalBenchmarkApp::geekbench});
    EXPECT_EQ(external.scores().at(ExternalBenchmarkApp::geekbench).multiCoreScore, 9000);
    EXPECT_TRUE(ExternalBenchmarkStore(folder.path()).settings(ExternalBenchmarkApp::geekbench).pendingResults.empty());
}

TEST_F(OutsideBenchmarksTest, AFullRunWritesTheCsvAndHandsOverToThePerformanceSuite) {
    ExternalBenchmarkStore(folder.path())
        .setInstallation(ExternalBenchmarkInstallation{.app = ExternalBenchmarkApp::cinebench2024,
                                                       .executablePath = (tools / "cinebench-score").string()},
                         ExternalBenchmarkApp::cinebench2024);
    AppModelSetup s = withTools();
    s.suite = tinyConfiguration();
    makeModel(std::move(s));
    bindNavigation(*model);
    model->suite().setDurationMinutes(0);
    model->setStatus(LocalizedMessage("Main.CsvMissing"));
    ExternalBenchmarkRunner& external = model->external();

    external.runFullPerformance();
    EXPECT_FALSE(model->status()) << "a run clears the status line";
    EXPECT_EQ(model->screen(), AppScreen::external);
    ASSERT_TRUE(runUntil([&] { return model->screen() == AppScreen::suite; }));
    EXPECT_FALSE(external.isRunning());
    EXPECT_EQ(model->suite().plan(), TestPlans::ordered(TestPlans::performance));
    EXPECT_NE(csvText().find("Cinebench 2024,123.5,"), std::string::npos);
    EXPECT_EQ(csvText().find("Zantiva Diagnostics"), std::string::npos);

    // The suite's end writes the file again, now with the app's own CPU and GPU scores.
    ASSERT_TRUE(runUntil([&] { return model->screen() == AppScreen::result; }, std::chrono::minutes(3)));
    ASSERT_TRUE(runUntil([&] { return csvText().find("Zantiva Diagnostics") != std::string::npos; }));

    external.openCSV();
    EXPECT_EQ(opened.back(), QUrl::fromLocalFile(QString::fromStdString((folder / ExternalBenchmarkCSV::fileName).string())));
}

// The app folder on a full disk: the scores are shown, and the status line says they were
// measured but not saved, as it does for the app's own results.
TEST_F(OutsideBenchmarksTest, OnAFullDiskTheWindowSaysTheScoresWereNotSaved) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    ExternalBenchmarkStore(folder.path())
        .setInstallation(ExternalBenchmarkInstallation{.app = ExternalBenchmarkApp::cinebench2024,
                                                       .executablePath = (tools / "cinebench-score").string()},
                         ExternalBenchmarkApp::cinebench2024);
    makeModel(withTools());
    ExternalBenchmarkRunner& external = model->external();
    disk.fill();

    external.runAll(ExternalBenchmarkApp::cinebench2024);
    ASSERT_TRUE(runUntil([&] { return !external.isRunning(); }));
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.External.DiskFull"});
    EXPECT_EQ(external.problems().size(), 2u) << "neither step is done";
    EXPECT_EQ(external.scores().at(ExternalBenchmarkApp::cinebench2024).multiCoreScore, 123.45);
    EXPECT_FALSE(ExternalBenchmarkStore(folder.path()).settings(ExternalBenchmarkApp::cinebench2024).lastResult);
}

// A Geekbench page that can't be read leaves only its link; on a full disk that link can't be
// kept, and the window says so instead of "nothing is lost". So does a chosen program.
TEST_F(OutsideBenchmarksTest, OnAFullDiskTheWindowSaysAPendingLinkOrAChoiceWasNotSaved) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    ExternalBenchmarkStore(folder.path())
        .setInstallation(ExternalBenchmarkInstallation{.app = ExternalBenchmarkApp::geekbench,
                                                       .executablePath = (tools / "geekbench-upload").string(),
                                                       .version = "6.3.0"},
                         ExternalBenchmarkApp::geekbench);
    AppModelSetup s = withTools();
    s.external.readerFactory = {}; // no page can be read
    makeModel(std::move(s));
    ExternalBenchmarkRunner& external = model->external();
    disk.fill();

    external.begin({ExternalBenchmarkStep{ExternalBenchmarkApp::geekbench, ExternalTestKind::cpuSingleCore}}, false);
    ASSERT_TRUE(runUntil([&] { return !external.isRunning(); }));
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.Pending.DiskFull"});
    ASSERT_EQ(external.problems().size(), 1u);
    EXPECT_EQ(external.problems()[0].message.key(), "ExtRun.GeekbenchNotSaved.Body");
    EXPECT_EQ(external.problems()[0].message.arguments().front(), "https://browser.geekbench.com/v6/cpu/1234567");
    EXPECT_TRUE(ExternalBenchmarkStore(folder.path()).settings(ExternalBenchmarkApp::geekbench).pendingResults.empty());

    external.installations().choose(tools / "cinebench-score", ExternalBenchmarkApp::cinebench2024);
    EXPECT_TRUE(external.installations().isReady(ExternalBenchmarkApp::cinebench2024)) << "usable until the app closes";
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.Installation.DiskFull"}) << "the file's one line";

    // Space freed, the next save of that file writes what couldn't be saved before with it: the
    // line about it goes, whichever of the file's records it named.
    ASSERT_TRUE(std::filesystem::remove(folder.path() / "filler"));
    const SaveResult full{SaveResult::Problem::diskFull, "No space left on device", folder / "external-benchmarks.json"};
    for (const SavedRecord record : {SavedRecord::pendingLink, SavedRecord::installation}) {
        model->tellSave(record, full);
        external.installations().choose(tools / "cinebench-score", ExternalBenchmarkApp::cinebench2024);
        EXPECT_EQ(bannerKeys(), std::vector<std::string>{}) << notSavedNotice(record, full).key();
    }
    const ExternalBenchmarkStore stored(folder.path());
    EXPECT_EQ(stored.settings(ExternalBenchmarkApp::geekbench).pendingResults.size(), 1u);
    EXPECT_TRUE(stored.settings(ExternalBenchmarkApp::cinebench2024).installation);
}

} // namespace
