// The outside-benchmark runner with our tool scripts run as real child processes, the store
// and CSV file in a temporary folder, and fakes for the disk images, the result-page reader,
// the model and the rest's clock. One test mounts a real image where the machine allows it.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>
#include <tuple>

#include <QCoro/QCoroTimer>

#include "../Support/AwaitTask.h"
#include "../Support/DiskImages.h"
#include "../Support/ProcessState.h"
#include "../Support/RecordingActivity.h"
#include "../Support/TemporaryFolder.h"
#include "External/ExternalBenchmarkCSV.h"
#include "External/LoopImageMounter.h"
#include "External/MountTable.h"
#include "External/ProcessLauncher.h"
#include "ExternalRun/ExternalBenchmarkRunner.h"
#include "Model/AppScreen.h"
#include "Platform/CancelToken.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::isGone;
using testing::runUntil;
using App = ExternalBenchmarkApp;
using Item = ExternalBenchmarkPlan::Item;
using Status = ExternalBenchmarkRunner::Status;

const fs::path tools = fs::path(ZANTIVA_FIXTURES) / "outside-tools";

ExternalBenchmarkInstallation installed(App app, const fs::path& program) {
    return {.app = app, .executablePath = program.string(), .version = app == App::geekbench ? "6.3.0" : ""};
}

ExternalBenchmarkResult scored(std::optional<double> single, std::optional<double> multi, std::optional<double> gpu) {
    return {single, multi, gpu};
}

// The three scores, without the time they were recorded.
using Scores = std::tuple<std::optional<double>, std::optional<double>, std::optional<double>>;
Scores scoresOf(const ExternalBenchmarkResult& r) { return {r.singleCoreScore, r.multiCoreScore, r.gpuScore}; }

struct FakeHost final : ExternalRunnerHost {
    std::vector<AppScreen> screens; // shown as each run began
    std::optional<LocalizedMessage> status;
    int suiteStarts = 0;
    std::function<void()> afterRun;

    void setStatus(std::optional<LocalizedMessage> message) override { status = std::move(message); }
    void tellSave(SavedRecord record, const SaveResult& result) override {
        if (!result.saved()) status = notSavedNotice(record, result);
    }
    ExternalCsvSources csvSources() const override { return {}; }
    void startPerformanceSuite(std::function<void()> hook) override {
        ++suiteStarts;
        afterRun = std::move(hook);
    }
};

// Volumes that are folders of the test; attaching suspends once, as a real mount does.
struct FakeImages final : DiskImageMounting {
    fs::path volume;
    bool alreadyMounted = false;
    std::optional<std::string> failure;
    bool hangs = false; // as a mount that never returns: until the stop
    int attaches = 0;
    std::set<fs::path> mounted;
    std::vector<fs::path> detached;
    std::atomic<bool> leftoversDetached = false;

    QCoro::Task<AttachedImage> attach(fs::path, std::stop_token stop) override {
        ++attaches;
        do {
            auto mounting = QCoro::sleepFor(1ms);
            co_await mounting;
        } while (hangs && !stop.stop_requested());
        if (hangs) throw CancellationError();
        if (failure) throw DiskImageError(*failure);
        mounted.insert(volume);
        co_return AttachedImage{volume, alreadyMounted};
    }
    void detach(const fs::path& mountPoint) override {
        detached.push_back(mountPoint);
        mounted.erase(mountPoint);
    }
    bool isMounted(const fs::path& mountPoint) const override { return mounted.contains(mountPoint); }
    void detachLeftovers() override { leftoversDetached = true; }
};

// What the result pages give; a read may wait for the stop, or for the test to release it.
struct Pages {
    enum class Mode { answer, untilStopped, untilReleased } mode = Mode::answer;
    std::optional<ExternalBenchmarkResult> result;
    std::set<std::string> unreadable; // these addresses give nothing
    bool released = false;
    std::vector<std::string> reads;
};

struct FakeReader final : GeekbenchScoreReading {
    explicit FakeReader(Pages& pages) : pages(pages) {}
    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(QString address, bool, bool, std::function<void()>,
                                                            std::stop_token stop) override {
        Pages& p = pages;
        p.reads.push_back(address.toStdString());
        while ((p.mode == Pages::Mode::untilStopped && !stop.stop_requested()) ||
               (p.mode == Pages::Mode::untilReleased && !p.released)) {
            auto pause = QCoro::sleepFor(5ms);
            co_await pause;
        }
        if (p.mode == Pages::Mode::untilStopped) throw CancellationError();
        co_return p.unreadable.contains(address.toStdString()) ? std::nullopt : p.result;
    }
    Pages& pages;
};

class ExternalRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("ZANTIVA_TEST_PID_FILE", (folder / "tool.pid").c_str(), 1);
        setenv("ZANTIVA_TEST_GO_FILE", (folder / "go").c_str(), 1);
    }

    ExternalRunnerConfiguration configuration() {
        ExternalRunnerConfiguration c;
        c.store = store;
        c.activity = activity;
        c.service.launcher = std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD);
        c.readerFactory = [this] { return std::make_unique<FakeReader>(pages); };
        c.csvFile = csv;
        c.images = images;
        c.openURL = [this](QUrl url) -> QCoro::Task<bool> {
            opened.push_back(url);
            co_return opens;
        };
        // Each look at the clock passes a quarter second of fake time in one turn of the loop.
        c.clock = {[this] { return fakeNow; },
                   [this](std::chrono::milliseconds wait) -> QCoro::Task<> {
                       fakeNow += wait;
                       auto turn = QCoro::sleepFor(0ms);
                       co_await turn;
                   }};
        return c;
    }
    // The runner before it has a model; each run that begins shows its screen.
    ExternalBenchmarkRunner& makeUnattachedRunner() {
        runner = std::make_unique<ExternalBenchmarkRunner>(configuration(), gate);
        QObject::connect(runner.get(), &ExternalBenchmarkRunner::runBegan,
                         [this] { host->screens.push_back(AppScreen::external); });
        return *runner;
    }
    ExternalBenchmarkRunner& makeRunner() {
        makeUnattachedRunner().attach(host);
        return *runner;
    }
    void runToEnd(std::vector<Item> plan, bool thenZantiva = false) {
        runner->begin(std::move(plan), thenZantiva);
        ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    }
    pid_t toolPid() {
        EXPECT_TRUE(runUntil([&] { return fs::exists(folder / "tool.pid") && fs::file_size(folder / "tool.pid") > 0; }));
        pid_t pid = 0;
        std::ifstream(folder / "tool.pid") >> pid;
        return pid;
    }
    // A runner whose store (the folder answered) can't be saved until unblockStore(): a file
    // stands where its parent would be.
    fs::path runnerWithBlockedStore(const std::string& name) {
        const fs::path place = folder / name / "data";
        testing::writeRaw(place.parent_path(), "");
        store = std::make_shared<ExternalBenchmarkStore>(place);
        store->setInstallation(installed(App::cinebench2024, tools / "cinebench-score"), App::cinebench2024);
        makeRunner();
        return place;
    }
    // `overtaken`: another run stored newer scores there, a second later (the file keeps whole seconds).
    static void unblockStore(const fs::path& place, bool overtaken) {
        fs::remove(place.parent_path());
        fs::create_directories(place);
        fs::permissions(place, fs::perms::owner_all, fs::perm_options::replace);
        if (!overtaken) return;
        const ExternalBenchmarkResult newer{9999.0, 99999.0, std::nullopt, std::chrono::system_clock::now() + 1s};
        EXPECT_TRUE(ExternalBenchmarkStore(place).setResult(newer, App::cinebench2024).saved());
    }
    // Every status the runner showed, in order.
    void recordStatuses() {
        statuses = std::make_shared<std::vector<Status>>();
        QObject::connect(runner.get(), &ExternalBenchmarkRunner::statusChanged, [this, shown = statuses] {
            if (runner->status()) shown->push_back(*runner->status());
        });
    }

    testing::TemporaryFolder folder;
    std::shared_ptr<ExternalBenchmarkStore> store = std::make_shared<ExternalBenchmarkStore>(folder.path());
    fs::path csv = folder / "apps benchmarks.csv";
    std::shared_ptr<FakeImages> images = std::make_shared<FakeImages>();
    std::shared_ptr<FakeHost> host = std::make_shared<FakeHost>();
    std::shared_ptr<RunGate> gate = std::make_shared<RunGate>();
    std::shared_ptr<testing::RecordingActivity> activity = std::make_shared<testing::RecordingActivity>();
    Pages pages;
    std::vector<QUrl> opened;
    bool opens = true; // what the desktop's opener answers
    std::chrono::steady_clock::time_point fakeNow{};
    std::shared_ptr<std::vector<Status>> statuses;
    std::unique_ptr<ExternalBenchmarkRunner> runner;
};

TEST_F(ExternalRunnerTest, ShowsTheStoreAtOnceAndStartsOnlyWhenFreeAndReady) {
    store->setInstallation(installed(App::geekbench, tools / "missing"), App::geekbench);
    store->setResult(scored(1, 2, 3), App::geekbench);
    makeUnattachedRunner();
    EXPECT_EQ(runner->scores().at(App::geekbench).gpuScore, 3);
    EXPECT_FALSE(runner->installations().isReady(App::geekbench)) << "its program is gone";
    EXPECT_FALSE(runner->canStart()) << "no model yet";
    runner->attach(host);
    EXPECT_TRUE(runner->canStart());
    ASSERT_TRUE(gate->tryEnter()); // the suite runs
    EXPECT_FALSE(runner->canStart());
    runner->runAll(App::geekbench);
    EXPECT_TRUE(host->screens.empty());
    gate->leave();
    runner->runFullPerformance();
    EXPECT_FALSE(runner->isRunning());
    EXPECT_TRUE(runner->isExpanded());
    EXPECT_EQ(host->status, LocalizedMessage("Main.ExternalMissing"));
}

TEST_F(ExternalRunnerTest, AFullRunGoesThroughThePlanRestsOnceThenHandsOverToTheSuite) {
    store->setInstallation(installed(App::geekbench, tools / "geekbench-scores"), App::geekbench);
    store->setInstallation(installed(App::cinebench2024, tools / "cinebench-score"), App::cinebench2024);
    store->setInstallation(installed(App::cinebench2026, tools / "cinebench-score"), App::cinebench2026);
    makeRunner();
    std::vector<std::string> seen;
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::currentStepChanged, [&] {
        if (const auto step = runner->currentStep())
            seen.push_back(std::to_string(runner->stepIndex()) + " " + runner->label(*step, Loc(AppLanguage::english)));
    });
    std::vector<int> rest;
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::cooldownChanged, [&] {
        if (runner->cooldown()) rest.push_back(runner->cooldown()->remainingSeconds);
        else if (seen.size() == 4) seen.push_back("rest");
    });

    runner->runFullPerformance();
    EXPECT_EQ(host->screens, std::vector{AppScreen::external});
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_EQ(seen, (std::vector<std::string>{"1 Geekbench 6.3.0 \u2014 CPU (single-core + multi-core)",
                                              "2 Geekbench 6.3.0 \u2014 GPU", "3 Cinebench 2024 \u2014 CPU single-core",
                                              "4 Cinebench 2024 \u2014 CPU multi-core", "rest",
                                              "5 Cinebench 2026 \u2014 CPU single-core",
                                              "6 Cinebench 2026 \u2014 CPU multi-core", "7 Cinebench 2026 \u2014 GPU"}));
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest.front(), 299);
    EXPECT_EQ(rest.back(), 0);
    EXPECT_EQ(runner->stepCount(), 7);
    // Geekbench's GPU run printed only CPU scores: a problem, and the run goes on.
    ASSERT_EQ(runner->problems().size(), 1u);
    EXPECT_EQ(runner->problems()[0].message.key(), "ExtRun.NoScoreLine");
    EXPECT_EQ(runner->scoredApps(), (std::vector{App::geekbench, App::cinebench2024, App::cinebench2026}));
    EXPECT_EQ(store->settings(App::cinebench2026).lastResult, runner->scores().at(App::cinebench2026));
    EXPECT_EQ(scoresOf(runner->scores().at(App::cinebench2026)), Scores(123.45, 123.45, 123.45));

    EXPECT_TRUE(runner->csvWritten());
    EXPECT_TRUE(fs::exists(csv));
    EXPECT_EQ(host->suiteStarts, 1);
    fs::remove(csv);
    host->afterRun(); // the suite ended: the file is written again with its results
    EXPECT_TRUE(fs::exists(csv));
}

TEST_F(ExternalRunnerTest, SkipEndsTheRestWithinOnePollAndTheNextRestStartsAfresh) {
    makeRunner();
    std::vector<std::optional<int>> shown;
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::cooldownChanged, [&] {
        shown.push_back(runner->cooldown() ? std::optional(runner->cooldown()->remainingSeconds) : std::nullopt);
        if (shown.size() == 1) runner->skipCooldown();
    });
    const ExternalBenchmarkPlan::Cooldown cooldown{App::cinebench2026};
    runToEnd({cooldown, cooldown});
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], 299);
    EXPECT_EQ(shown[1], std::nullopt) << "the first rest ends at the next look at the clock";
    EXPECT_EQ(shown[2], 299);
    EXPECT_EQ(shown.back(), std::nullopt);
    EXPECT_EQ(runner->stepCount(), 0);
}

TEST_F(ExternalRunnerTest, StopDuringARestWritesNoCsvAndStartsNoSuite) {
    store->setInstallation(installed(App::cinebench2026, tools / "cinebench-score"), App::cinebench2026);
    makeRunner();
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::cooldownChanged, [&] {
        if (runner->cooldown()) runner->stop();
    });
    runToEnd({ExternalBenchmarkPlan::Cooldown{App::cinebench2026},
              ExternalBenchmarkStep{App::cinebench2026, ExternalTestKind::cpuSingleCore}},
             true);
    EXPECT_TRUE(runner->wasCancelled());
    EXPECT_EQ(runner->stepIndex(), 0) << "no step starts after the stop";
    EXPECT_FALSE(fs::exists(csv));
    EXPECT_EQ(host->suiteStarts, 0);
}

TEST_F(ExternalRunnerTest, StopDuringAStepKillsTheToolsGroupAndAddsNoProblem) {
    store->setInstallation(installed(App::cinebench2024, tools / "slow-tool"), App::cinebench2024);
    makeRunner();
    recordStatuses();
    runner->runAll(App::cinebench2024);
    const pid_t grandchild = toolPid();
    runner->stop();
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_TRUE(runUntil([&] { return isGone(grandchild); }));
    EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.Cancelled")));
    EXPECT_TRUE(runner->problems().empty());
    EXPECT_EQ(runner->stepIndex(), 1) << "the second step never started";
    EXPECT_FALSE(runner->scores().contains(App::cinebench2024));
}

TEST_F(ExternalRunnerTest, QuittingDuringARunKillsTheToolThenDetachesItsImage) {
    const fs::path volume = folder / "volume";
    fs::create_directories(volume / "cinebench");
    fs::copy_file(tools / "slow-tool", volume / "cinebench" / "run");
    std::ofstream(folder / "Cinebench.iso") << "image";
    images->volume = volume;
    ExternalBenchmarkInstallation onImage = installed(App::cinebench2024, "cinebench/run");
    onImage.diskImagePath = (folder / "Cinebench.iso").string();
    store->setInstallation(onImage, App::cinebench2024);
    makeRunner();
    // The base class leaves the gate last; a signal of the runner then would run on a dead object.
    int fromAHalfDestroyedRunner = 0;
    const QObject* emitter = runner.get();
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::canStartChanged, [&] {
        if (emitter->metaObject() != &ExternalBenchmarkRunner::staticMetaObject) ++fromAHalfDestroyedRunner;
    });
    runner->runAll(App::cinebench2024);
    const pid_t grandchild = toolPid();
    runner.reset(); // what quitting does: aboutToQuit and the model's teardown both shut down
    EXPECT_EQ(fromAHalfDestroyedRunner, 0);
    EXPECT_EQ(images->detached, std::vector{volume});
    EXPECT_TRUE(runUntil([&] { return isGone(grandchild); }));
    EXPECT_FALSE(gate->isBusy());
    EXPECT_TRUE(runUntil([&] { return activity->held == 0; })) << "the run ended with the quit";
}

TEST_F(ExternalRunnerTest, StopWhileItsImageOpensEndsTheRunAtOnceAsStopped) {
    std::ofstream(folder / "Cinebench.iso") << "image";
    ExternalBenchmarkInstallation onImage = installed(App::cinebench2024, "cinebench/run");
    onImage.diskImagePath = (folder / "Cinebench.iso").string();
    store->setInstallation(onImage, App::cinebench2024);
    images->hangs = true;
    makeRunner();
    recordStatuses();
    runner->runAll(App::cinebench2024);
    ASSERT_TRUE(runUntil([&] { return images->attaches == 1; }));
    runner->stop();
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_EQ(images->attaches, 1) << "no later step opens the image again";
    EXPECT_TRUE(runner->wasCancelled());
    EXPECT_TRUE(runner->problems().empty());
    EXPECT_NE(std::ranges::find(*statuses, Status(LocalizedMessage("ExtRun.Cancelled"))), statuses->end());
}

TEST_F(ExternalRunnerTest, ARunKeepsTheMachineAndDisplayAwakeUntilItEndsWhicheverWay) {
    store->setInstallation(installed(App::cinebench2024, tools / "slow-tool"), App::cinebench2024);
    makeRunner();
    const ExternalBenchmarkStep step{App::cinebench2024, ExternalTestKind::cpuSingleCore};

    // Rests included; the hold ends with the plan.
    runner->begin({ExternalBenchmarkPlan::Cooldown{App::cinebench2024}, step}, false);
    toolPid();
    EXPECT_EQ(activity->held, 1);
    EXPECT_EQ(activity->reasons, std::vector<std::string>{"Zantiva external benchmark"});
    EXPECT_TRUE(activity->lastOptions.keepSystemAwake);
    EXPECT_TRUE(activity->lastOptions.keepDisplayAwake);
    runner->stop();
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_EQ(activity->held, 0) << "stopped";

    runToEnd({ExternalBenchmarkPlan::Cooldown{App::cinebench2024}});
    EXPECT_EQ(activity->held, 0) << "finished";
    EXPECT_EQ(activity->ended, 2);

    fs::remove(folder / "tool.pid");
    runner->begin({step}, false);
    toolPid();
    EXPECT_EQ(activity->held, 1);
    runner.reset();
    EXPECT_TRUE(runUntil([&] { return activity->held == 0; })) << "quit";
    EXPECT_EQ(activity->ended, 3);
}

TEST_F(ExternalRunnerTest, AnUploadedResultIsReadFromItsPageOrKeptPending) {
    store->setInstallation(installed(App::geekbench, tools / "geekbench-upload"), App::geekbench);
    store->setResult(scored(std::nullopt, std::nullopt, 50), App::geekbench);
    pages.result = scored(1000, 5000, std::nullopt);
    makeRunner();
    recordStatuses();
    const ExternalBenchmarkStep cpu{App::geekbench, ExternalTestKind::cpuSingleCore};
    runToEnd({cpu});
    EXPECT_EQ(pages.reads, std::vector<std::string>{"https://browser.geekbench.com/v6/cpu/1234567"});
    EXPECT_NE(std::ranges::find(*statuses, Status(LocalizedMessage("ExtRun.ReadingGeekbenchScore"))), statuses->end());
    EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.Done")));
    const ExternalBenchmarkResult read = runner->scores().at(App::geekbench);
    EXPECT_EQ(scoresOf(read), Scores(1000, 5000, 50));

    // The page gives nothing: the address is kept for the next start, the scores stay.
    pages.result.reset();
    runToEnd({cpu});
    EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.GeekbenchSaved")));
    ASSERT_EQ(runner->problems().size(), 1u);
    EXPECT_EQ(runner->problems()[0].message,
              LocalizedMessage("ExtRun.GeekbenchSaved.Body", "https://browser.geekbench.com/v6/cpu/1234567"));
    EXPECT_EQ(runner->scores().at(App::geekbench), read);
    ASSERT_EQ(store->settings(App::geekbench).pendingResults.size(), 1u);
    EXPECT_FALSE(store->settings(App::geekbench).pendingResults[0].isGPU);

    // A stop while the page is read keeps the address too.
    pages.mode = Pages::Mode::untilStopped;
    runner->begin({cpu}, false);
    ASSERT_TRUE(runUntil([&] { return pages.reads.size() == 3; }));
    runner->stop();
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.Cancelled")));
    EXPECT_TRUE(runner->problems().empty());
    EXPECT_EQ(store->settings(App::geekbench).pendingResults.size(), 2u);
}

TEST_F(ExternalRunnerTest, RecoveryReadsOnlyResultPagesAndYieldsToARun) {
    const std::string first = "https://browser.geekbench.com/v6/cpu/1", second = "https://browser.geekbench.com/v6/cpu/2";
    for (const std::string& url : {std::string("http://browser.geekbench.com/v6/cpu/3"),
                                   std::string("https://example.com/v6/cpu/4"), std::string("not a url"), first, second})
        store->addPending({url, false, Date{}}, App::geekbench);
    makeRunner();
    pages.result = scored(7, 8, std::nullopt);
    pages.unreadable = {second};
    testing::awaitTask(runner->recoverPendingResults());
    EXPECT_EQ(pages.reads, (std::vector{first, second}));
    EXPECT_EQ(scoresOf(runner->scores().at(App::geekbench)), Scores(7, 8, std::nullopt));
    EXPECT_EQ(store->settings(App::geekbench).lastResult, runner->scores().at(App::geekbench));
    const auto left = store->settings(App::geekbench).pendingResults;
    ASSERT_EQ(left.size(), 4u);
    EXPECT_EQ(left.back().url, second);

    // A run that begins while a page is read stops the recovery; its entry stays pending.
    store->setInstallation(installed(App::cinebench2024, tools / "cinebench-score"), App::cinebench2024);
    pages.mode = Pages::Mode::untilStopped;
    testing::Awaited<void> recovery;
    testing::capture(runner->recoverPendingResults(), recovery);
    ASSERT_TRUE(runUntil([&] { return pages.reads.size() == 3; }));
    runner->runAll(App::cinebench2024);
    ASSERT_TRUE(runUntil([&] { return recovery.done; }));
    EXPECT_EQ(pages.reads.size(), 3u);
    EXPECT_EQ(store->settings(App::geekbench).pendingResults, left);
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
}

TEST_F(ExternalRunnerTest, AScoreRecoveredWhileAStepRunsIsKeptWhenTheStepWrites) {
    store->setInstallation(installed(App::geekbench, tools / "slow-tool"), App::geekbench);
    store->addPending({"https://browser.geekbench.com/v6/cpu/1", false, Date{}}, App::geekbench);
    pages.mode = Pages::Mode::untilReleased;
    pages.result = scored(7, 8, std::nullopt);
    makeRunner();
    testing::Awaited<void> recovery;
    testing::capture(runner->recoverPendingResults(), recovery);
    runner->begin({ExternalBenchmarkStep{App::geekbench, ExternalTestKind::gpu}}, false);
    toolPid();
    pages.released = true; // a reader that finishes its page despite the stop
    ASSERT_TRUE(runUntil([&] { return recovery.done; }));
    std::ofstream(folder / "go") << "";
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
    const auto& result = runner->scores().at(App::geekbench);
    EXPECT_EQ(scoresOf(result), Scores(7, 8, 81000));
    EXPECT_EQ(store->settings(App::geekbench).lastResult, result);
}

TEST_F(ExternalRunnerTest, DiscoveryMovesOldImageRecordsOnlyOnceMountedAndKeepsWhatIsUsable) {
    // An older record whose program is the image itself; the first mount fails.
    fs::create_directories(folder / "volume" / "Geekbench-6.3.0-Linux");
    fs::copy_file(tools / "geekbench-scores", folder / "volume" / "Geekbench-6.3.0-Linux" / "geekbench6");
    std::ofstream(folder / "Geekbench.ISO") << "image";
    const ExternalBenchmarkInstallation old = installed(App::geekbench, folder / "Geekbench.ISO");
    store->setInstallation(old, App::geekbench);
    images->volume = folder / "volume";
    images->failure = "no loop device";
    makeRunner();
    testing::awaitTask(runner->installations().discover());
    EXPECT_TRUE(images->leftoversDetached);
    EXPECT_EQ(store->settings(App::geekbench).installation, old) << "kept until the move succeeds";
    EXPECT_EQ(runner->installations().chooseError().at(App::geekbench), LocalizedMessage("External.ImageFailed", "no loop device"));

    // Next start: the image opens, and another Geekbench found in a search folder doesn't
    // replace the moved one.
    images->failure.reset();
    fs::create_directories(folder / "apps" / "Geekbench-6.4.0-Linux");
    fs::copy_file(tools / "geekbench-scores", folder / "apps" / "Geekbench-6.4.0-Linux" / "geekbench6");
    ExternalRunnerConfiguration c = configuration();
    c.searchDirectories = {folder / "apps"};
    runner = std::make_unique<ExternalBenchmarkRunner>(c, gate);
    testing::awaitTask(runner->installations().discover());
    const auto moved = store->settings(App::geekbench).installation;
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->diskImagePath, (folder / "Geekbench.ISO").string());
    EXPECT_EQ(moved->executablePath, "Geekbench-6.3.0-Linux/geekbench6");
    EXPECT_EQ(runner->installations().all().at(App::geekbench), *moved);
    EXPECT_TRUE(runner->installations().foundAutomatically().empty());
}

TEST_F(ExternalRunnerTest, AnImageChoiceReturnsAtOnceReusesItsMountAndLeavesOthersMountsAlone) {
    fs::create_directories(folder / "volume" / "Geekbench-6.3.0-Linux");
    fs::copy_file(tools / "geekbench-scores", folder / "volume" / "Geekbench-6.3.0-Linux" / "geekbench6");
    std::ofstream(folder / "Geekbench.img") << "image";
    images->volume = folder / "volume";
    makeRunner();
    runner->installations().choose(folder / "Geekbench.img", App::geekbench);
    EXPECT_TRUE(runner->installations().isPreparing());
    EXPECT_FALSE(runner->installations().isReady(App::geekbench));
    runner->installations().choose(tools / "cinebench-score", App::cinebench2024);
    EXPECT_FALSE(runner->installations().all().contains(App::cinebench2024)) << "no choice while an image opens";
    ASSERT_TRUE(runUntil([&] { return !runner->installations().isPreparing(); }));
    EXPECT_TRUE(runner->installations().isReady(App::geekbench));

    const ExternalBenchmarkStep cpu{App::geekbench, ExternalTestKind::cpuSingleCore};
    runToEnd({cpu});
    runToEnd({cpu});
    EXPECT_EQ(images->attaches, 1) << "the image mounted for the choice serves every run";
    images->mounted.clear(); // ejected by the user: its folder stays, but it is no mount
    runToEnd({cpu});
    EXPECT_EQ(images->attaches, 2);
    EXPECT_EQ(runner->scores().at(App::geekbench).multiCoreScore, 12345);

    runner->installations().detachDiskImages();
    EXPECT_EQ(images->detached, std::vector{folder / "volume"});
    images->alreadyMounted = true;
    runToEnd({cpu});
    runner->installations().detachDiskImages();
    EXPECT_EQ(images->detached.size(), 1u) << "an image mounted by someone else stays";
}

TEST_F(ExternalRunnerTest, TheConsoleKeepsTheNewestLinesAndNumbersOnAcrossRuns) {
    store->setInstallation(installed(App::cinebench2024, tools / "cinebench-many-lines"), App::cinebench2024);
    makeRunner();
    const ExternalBenchmarkStep single{App::cinebench2024, ExternalTestKind::cpuSingleCore};
    runToEnd({single});
    ASSERT_EQ(runner->console().size(), ExternalBenchmarkRunner::consoleLimit);
    // The program line and 5,001 lines of output: ids 0 to 5,001.
    EXPECT_EQ(runner->console().front().id, 3002);
    EXPECT_EQ(runner->console().back().text, "CB 987.6 (0.00)");
    runToEnd({single});
    EXPECT_EQ(runner->console().size(), ExternalBenchmarkRunner::consoleLimit);
    EXPECT_EQ(runner->console().back().id, 10003);
}

TEST_F(ExternalRunnerTest, OpenCsvWritesTheLatestScoresFirstAndSaysWhatFailed) {
    makeRunner();
    runner->openCSV();
    EXPECT_EQ(host->status, LocalizedMessage("Main.CsvMissing"));
    EXPECT_FALSE(fs::exists(csv));

    store->setInstallation(installed(App::cinebench2024, tools / "cinebench-score"), App::cinebench2024);
    makeRunner();
    runToEnd({ExternalBenchmarkStep{App::cinebench2024, ExternalTestKind::cpuSingleCore}});
    EXPECT_FALSE(fs::exists(csv)) << "a run of one application writes no file by itself";
    testing::writeRaw(csv, "an older file");
    runner->openCSV();
    std::ifstream file(csv);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(text.find("Cinebench 2024,123.5,"), std::string::npos);
    EXPECT_EQ(opened, std::vector{QUrl::fromLocalFile(QString::fromStdString(csv.string()))});
    opens = false;
    runner->openCSV();
    EXPECT_EQ(host->status, LocalizedMessage("Main.CsvOpenFailed", csv.string()));

    csv = folder / "apps benchmarks.csv" / "inside a file";
    makeRunner();
    runner->openCSV();
    EXPECT_EQ(host->status, LocalizedMessage("Main.CsvWriteFailed", csv.string()));
}

TEST_F(ExternalRunnerTest, AToolFailureBecomesAProblemWithTheToolsMessage) {
    store->setInstallation(installed(App::cinebench2026, tools / "tool-exits-3"), App::cinebench2026);
    store->setInstallation(installed(App::cinebench2024, tools / "missing"), App::cinebench2024);
    makeRunner();
    recordStatuses();
    runToEnd({ExternalBenchmarkStep{App::cinebench2026, ExternalTestKind::gpu},
              ExternalBenchmarkStep{App::cinebench2024, ExternalTestKind::cpuSingleCore}});
    ASSERT_EQ(runner->problems().size(), 2u);
    EXPECT_TRUE(runner->problems()[0].message.resolved(AppLanguage::english)
                    .starts_with("Cinebench 2026 quit with exit code 3. "));
    EXPECT_EQ(runner->problems()[1].message, LocalizedMessage("External.Moved"));
    EXPECT_EQ(runner->problems()[1].step, (ExternalBenchmarkStep{App::cinebench2024, ExternalTestKind::cpuSingleCore}));
    EXPECT_NE(std::ranges::find(*statuses, Status(LocalizedMessage("ExtRun.ErrorBox.Title"))), statuses->end());
}

// A folder that can't be written in, and no folder at all (no home): the step is not done and
// the window's status line says the result was not saved.
TEST_F(ExternalRunnerTest, ScoresThatCantBeStoredAreShownButTheStepIsNotDone) {
    testing::writeRaw(folder / "a file", "");
    const fs::path blocked = folder / "a file" / "data";
    for (const auto& [place, file] : {std::pair{std::optional(blocked), blocked / ExternalBenchmarkStore::fileName},
                                      std::pair{std::optional<fs::path>(), fs::path(ExternalBenchmarkStore::fileName)}}) {
        store = std::make_shared<ExternalBenchmarkStore>(place);
        store->setInstallation(installed(App::cinebench2024, tools / "cinebench-score"), App::cinebench2024);
        makeRunner();
        recordStatuses();
        const ExternalBenchmarkStep single{App::cinebench2024, ExternalTestKind::cpuSingleCore};
        runToEnd({single});
        const LocalizedMessage failure("ExtRun.StoreFailed", file.string());
        ASSERT_EQ(runner->problems().size(), 1u) << file;
        EXPECT_EQ(runner->problems()[0].message, failure);
        EXPECT_EQ(runner->problems()[0].step, single);
        EXPECT_EQ(std::ranges::find(*statuses, Status(LocalizedMessage("ExtRun.Done"))), statuses->end());
        EXPECT_EQ(statuses->back(), Status(failure));
        EXPECT_EQ(runner->scores().at(App::cinebench2024).singleCoreScore, 123.45) << "still shown and exported";
        ASSERT_TRUE(host->status) << file;
        EXPECT_EQ(host->status->key(), "NotSaved.External");
        EXPECT_EQ(host->status->arguments().front(), file.string());
    }
}

// A step whose scores couldn't be saved keeps them for a later save. When another process has
// stored newer scores for the application meanwhile, the next step's save lays only what that
// step measured over them; otherwise it writes the older scores too, and the status lines say so.
TEST_F(ExternalRunnerTest, ScoresNotSavedAtTheirStepNeverOverwriteNewerOnesAndAreToldWhenSavedLater) {
    const ExternalBenchmarkStep single{App::cinebench2024, ExternalTestKind::cpuSingleCore};
    const ExternalBenchmarkStep multi{App::cinebench2024, ExternalTestKind::cpuMultiCore};
    for (const bool overtaken : {true, false}) {
        const fs::path place = runnerWithBlockedStore(overtaken ? "overtaken" : "alone");
        recordStatuses();
        runToEnd({single});
        ASSERT_EQ(runner->problems().size(), 1u);
        EXPECT_EQ(runner->problems()[0].message.key(), "ExtRun.StoreFailed");

        unblockStore(place, overtaken);
        runToEnd({multi});
        const auto stored = ExternalBenchmarkStore(place).settings(App::cinebench2024).lastResult;
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->multiCoreScore, 123.45);
        if (overtaken) {
            EXPECT_EQ(stored->singleCoreScore, 9999.0) << "the older score is not put back";
            EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.Done")));
            EXPECT_FALSE(host->status);
        } else {
            EXPECT_EQ(stored->singleCoreScore, 123.45);
            EXPECT_EQ(statuses->back(), Status(LocalizedMessage("ExtRun.DoneSavedLate", "Cinebench 2024")));
            EXPECT_EQ(host->status, LocalizedMessage("ExtRun.SavedLate", "Cinebench 2024"));
        }
        EXPECT_EQ(runner->scores().at(App::cinebench2024).singleCoreScore, stored->singleCoreScore)
            << "shown as stored";
    }
}

// Within one run, a step whose save failed is no longer a problem once the next step's save
// wrote its scores.
TEST_F(ExternalRunnerTest, AStepWhoseScoresALaterStepSavedIsNoLongerAProblem) {
    const fs::path place = runnerWithBlockedStore("alone");
    bool unblocked = false; // at the first step's problem
    QObject::connect(runner.get(), &ExternalBenchmarkRunner::problemsChanged, [&] {
        if (unblocked || runner->problems().empty()) return;
        unblocked = true;
        unblockStore(place, false);
    });
    runToEnd({ExternalBenchmarkStep{App::cinebench2024, ExternalTestKind::cpuSingleCore},
              ExternalBenchmarkStep{App::cinebench2024, ExternalTestKind::cpuMultiCore}});
    ASSERT_TRUE(unblocked);
    EXPECT_EQ(runner->problems(), std::vector<ExternalBenchmarkRunner::Problem>{});
}

// A real read-only loop mount of an image holding a slow Geekbench: quitting during its run
// kills it and detaches the image.
TEST_F(ExternalRunnerTest, RealImageIsMountedForTheRunAndDetachedAtQuit) {
    const fs::path image = testing::buildGeekbenchImage(tools / "slow-tool", folder / "Geekbench-6.3.0.img");
    if (const auto refused = testing::loopMountRefused(image, folder.path())) GTEST_SKIP() << *refused;
    ExternalRunnerConfiguration c = configuration();
    c.images = std::make_shared<LoopImageMounter>(folder / "mounts", LoopImageMounter::Method::mountAsRoot,
                                                  std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD));
    runner = std::make_unique<ExternalBenchmarkRunner>(c, gate);
    runner->attach(host);
    testing::awaitTask(runner->installations().chooseDiskImage(image, App::geekbench));
    ASSERT_TRUE(runner->installations().isReady(App::geekbench)) << runner->installations().chooseError().at(App::geekbench).key();
    const fs::path mountPoint = folder / "mounts" / "Geekbench-6.3.0";
    EXPECT_TRUE(isMountPoint(mountPoint, readMountTable("/").value()));

    runner->begin({ExternalBenchmarkStep{App::geekbench, ExternalTestKind::gpu}}, false);
    const pid_t grandchild = toolPid();
    runner->shutDown();
    EXPECT_FALSE(isMountPoint(mountPoint, readMountTable("/").value()));
    EXPECT_TRUE(runUntil([&] { return isGone(grandchild); }));
    ASSERT_TRUE(runUntil([&] { return !runner->isRunning(); }));
}

} // namespace
} // namespace zantiva
