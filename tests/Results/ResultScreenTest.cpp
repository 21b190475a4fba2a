// The results screen bound to a real app model over a temporary app folder: what it shows of
// the stored report and storage result, in either language, and where its buttons lead.

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "../App/AppModelFixture.h"
#include "../Core/Engines/StorageTestSupport.h"
#include "Controls/GradeBadge.h"
#include "Controls/RetroButton.h"
#include "LocalizedViews/LocNotifier.h"
#include "Results/DriveHealthCard.h"
#include "Results/ResultBinding.h"
#include "Results/ResultScreen.h"
#include "Results/StorageSummaryButton.h"
#include "ScreenTexts.h"

namespace zantiva::testing {
namespace {

FinalBenchmarkReport storedReport() {
    FinalBenchmarkReport report{.specs = sampleLaptopSpecs()};
    report.audioPassed = true;
    report.displayResult = DisplayTestResult{.issues = {"Display.Issue.DeadPixels"}};
    DriveHealthInfo drive("nvme0n1");
    drive.model = "Samsung SSD 980 PRO 1TB";
    drive.status = DriveHealthStatus::caution;
    drive.issues = {DriveHealthIssue::overheated};
    report.driveHealth = DriveHealthReport{.drives = {drive}, .checkedAt = {}};
    return report;
}

StorageBenchmarkResult storedStorage() {
    StorageBenchmarkResult result;
    result.targetFolder = "/mnt/data";
    result.seqRead = StorageTestMeasurement{6842.7, 6525.9, 1.226};
    return result;
}

// A storage test long enough to still run while the screen is looked at.
StorageRunnerConfiguration slowStorage() {
    StorageRunnerConfiguration c;
    c.benchmark = {.fileSize = StorageBenchmarkConfiguration::minimumFileSize, .runsPerTest = 1, .measureSeconds = 30,
                   .settleSeconds = 0};
    return c;
}

class ResultScreenTest : public AppModelFixture {
protected:
    static void SetUpTestSuite() { useDiskForTemporaryFolders(); }

    void SetUp() override {
        const ResultStore store(folder.path());
        store.saveReport(storedReport());
        store.saveStorageResult(storedStorage());
        AppModelSetup s = setup();
        s.storage = slowStorage();
        makeModel(std::move(s));
        loc.setLanguage(AppLanguage::english);
        bindResultScreen(screen, {*model, model->suite(), model->storage(), model->external()}, notifier,
                         [this](AppScreen s) { model->setScreen(s); });
        screen.resize(1200, 900);
        screen.show();
    }

    QString text(std::string_view key) const { return QString::fromStdString(loc[key]); }

    LocNotifier notifier{loc};
    ResultScreen screen;
};

TEST_F(ResultScreenTest, ShowsTheStoredReportTheDrivesAndTheLastStorageResult) {
    // Display 90, audio 100, drives 50 (caution): 80.0, a B.
    EXPECT_EQ(screen.findChild<GradeBadge*>()->grade(), DeviceGrade::b);
    for (const auto& shown : {QString("Good"), QString("Health score 80.0 of 100"), QString("Dead or stuck pixels"),
                              QString("Samsung SSD 980 PRO 1TB"), QString("\u2022 ") + text("DriveHealth.Issue.Overheated"),
                              QString("6,843"), text("Result.SsdUnit")})
        EXPECT_TRUE(shows(screen, shown)) << shown.toStdString();
    EXPECT_TRUE(screen.driveHealthCard()->isVisibleTo(&screen));
    EXPECT_FALSE(shows(screen, text("ExtRun.Problems"))); // the last run had no failures

    // Everything is retold in the new language.
    loc.setLanguage(AppLanguage::persian);
    QCoreApplication::processEvents(); // new parts of a shown screen show at the next turn of the loop
    EXPECT_TRUE(shows(screen, text("Result.Grade.Good")));
    EXPECT_FALSE(shows(screen, "Good"));
}

TEST_F(ResultScreenTest, BackLeadsToTheDashboardAndTheStorageCardToTheStorageScreen) {
    model->setScreen(AppScreen::result);
    QTest::mouseClick(screen.backButton(), Qt::LeftButton);
    EXPECT_EQ(model->screen(), AppScreen::dashboard);

    QTest::mouseClick(screen.storageCard(), Qt::LeftButton);
    EXPECT_EQ(model->screen(), AppScreen::storage);
}

TEST_F(ResultScreenTest, TheStorageCardWaitsWhileAStorageTestRuns) {
    TemporaryFolder target;
    model->storage().start(target.path());
    ASSERT_TRUE(model->storage().isRunning());
    model->setScreen(AppScreen::result);
    EXPECT_FALSE(screen.storageCard()->isEnabled());
    QTest::mouseClick(screen.storageCard(), Qt::LeftButton);
    EXPECT_EQ(model->screen(), AppScreen::result);

    model->storage().stop();
    ASSERT_TRUE(runUntil([&] { return !model->storage().isRunning(); }));
    EXPECT_TRUE(screen.storageCard()->isEnabled());
}

TEST_F(ResultScreenTest, ALongPageScrolls) {
    screen.resize(900, 400);
    QCoreApplication::processEvents();
    EXPECT_GT(screen.findChild<QScrollArea*>()->verticalScrollBar()->maximum(), 0);
}

TEST(ResultScreen, ProblemsInTheOrderTheyCome) {
    const Loc english(AppLanguage::english);
    const ResultScreenState state{.plan = {TestModule::gpuBenchmark, TestModule::input},
                                  .failures = {{TestModule::input, LocalizedMessage("Suite.StationFailed", "keys")},
                                               {TestModule::gpuBenchmark, LocalizedMessage("Gpu.Error", "no device")}}};
    ResultScreen screen;
    screen.show(ResultPresenter::present(state, english));
    const QStringList texts = shownTexts(screen);
    const auto gpu = texts.indexOf("GPU Render Test");
    const auto input = texts.indexOf("Keyboard & Touchpad");
    ASSERT_GE(gpu, 0);
    EXPECT_GT(input, gpu);
    EXPECT_TRUE(texts.contains("This station couldn't run: keys"));
    EXPECT_FALSE(screen.storageCard());
    EXPECT_FALSE(screen.driveHealthCard()->isVisibleTo(&screen));
}

TEST(ResultScreen, DrivesThatCouldntBeListedShowWhyOnTheCard) {
    const Loc english(AppLanguage::english);
    ResultScreenState state;
    state.report.driveHealth = DriveHealthReport{.drives = {}, .checkedAt = {}, .listingError = "Too many open files"};
    ResultScreen screen;
    screen.show(ResultPresenter::present(state, english));
    EXPECT_TRUE(screen.driveHealthCard()->isVisibleTo(&screen));
    EXPECT_TRUE(shows(*screen.driveHealthCard(),
                      QString::fromStdString(english.f("DriveHealth.ListUnread", "Too many open files"))));
}

TEST(ResultScreen, LongMachineTextWrapsInsteadOfWideningThePage) {
    const Loc english(AppLanguage::english);
    ResultScreenState state;
    state.report.gpuResult = GpuBenchmarkResult{};
    state.report.gpuResult->adapterName =
        "AMD Radeon RX 7600 (radeonsi, navi33, LLVM 15.0.6, DRM 3.54, 6.1.0-18-amd64) / "
        "Mesa 22.3.6 compatibility profile with every optional extension listed";
    ResultScreen screen;
    screen.show(ResultPresenter::present(state, english));
    screen.resize(1100, 720); // the window's smallest content
    screen.QWidget::show();
    QCoreApplication::processEvents();
    const auto* page = screen.findChild<QScrollArea*>();
    EXPECT_LE(page->widget()->width(), page->viewport()->width());
}

} // namespace
} // namespace zantiva::testing
