// The app model's start-up, update offer, language switch, run hand-over and unexpected
// errors, over real files and the loopback websites.

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <QThread>

#include "../Core/Probes/FixtureMachines.h"
#include "../Runners/SuiteTestSupport.h"
#include "../Support/FullDisk.h"
#include "../Support/HeldLock.h"
#include "../Services/Account/ScriptedTokenStore.h"
#include "AppModelFixture.h"
#include "Model/JsonFile.h"
#include "Model/TestPlans.h"
#include "Presenters/RootPresenter.h"
#include "Shell/Navigation.h"
#include "Bridge/DetachedTask.h"
#include "Bridge/ExceptionCatcher.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

class AppModelTest : public AppModelFixture {
protected:
    // A model whose suite runs the smallest workloads, its screens chosen as the window does.
    AppModel& makeTinyModel() {
        AppModelSetup tiny = setup();
        tiny.suite = tinyConfiguration();
        makeModel(std::move(tiny));
        bindNavigation(*model);
        return *model;
    }
    static bool runEnded(AppModel& window) {
        return runUntil([&] { return !window.suite().isRunning(); }, std::chrono::minutes(1));
    }

    // A save that fails on the disk's file system, and its end, with the report's and the
    // session's lines that tell of it.
    struct SaveFailure {
        const char* name;
        std::function<bool()> begin, end;
        const char* reportKey;
        const char* sessionKey;
    };
    std::vector<SaveFailure> saveFailures(const FullDisk& disk) const {
        return {{"a full disk", [&disk] { return disk.fill(), true; },
                 [this] { return std::filesystem::remove(folder / "filler"); }, "NotSaved.Report.DiskFull",
                 "NotSaved.Session.DiskFull"},
                {"a read-only folder", [&disk] { return disk.setReadOnly(true); },
                 [&disk] { return disk.setReadOnly(false); }, "NotSaved.Report", "NotSaved.Session"}};
    }

    // A RAM-only run while `held` keeps the report's lock past the save's patience (a stopped
    // window): the session stored at its end, which keeps its results.
    std::optional<BenchmarkSession> runWithTheReportLocked(const HeldLock& held) {
        makeTinyModel();
        if (!held.held()) return std::nullopt;
        model->suite().start(TestPlans::ramOnly);
        if (!runUntil([&] { return !model->suite().isRunning(); }, std::chrono::minutes(1))) return std::nullopt;
        return storedSession(folder.path());
    }
};

// The files of results kept beside the report.
std::vector<std::filesystem::path> keptBeside(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("last-report.kept-")) files.push_back(entry.path());
    return files;
}

FinalBenchmarkReport keptIn(const std::filesystem::path& file) {
    return FinalBenchmarkReport::fromJson(*jsonfile::load(file));
}

SystemSpecs otherMachine() {
    SystemSpecs specs = sampleLaptopSpecs();
    specs.model = "ThinkPad X1 Carbon";
    specs.cpuName = "Intel Core i7-1165G7";
    return specs;
}

TEST_F(AppModelTest, StartUpReadsTheSpecsOffTheMainThreadThenOffersTheUpdate) {
    const SystemSpecs machine = SystemProbe::readSpecs(fixtureProbe("intel-hybrid-laptop"));
    ResultStore(folder.path()).saveSession(BenchmarkSession::start(machine, TestPlans::full), machine);
    persianServer.answer("app-update", updateOffer("1.2"));
    bool readOnMainThread = true;
    AppModelSetup unknownMachine = setup();
    unknownMachine.specs.reset();
    unknownMachine.readSpecs = [&] {
        readOnMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        return SystemProbe::readSpecs(fixtureProbe("intel-hybrid-laptop"));
    };
    makeModel(std::move(unknownMachine));
    int refreshFlips = 0;
    QObject::connect(&model->account(), &AccountModel::isRefreshingAccountChanged, [&] { ++refreshFlips; });

    awaitTask(model->start());
    EXPECT_FALSE(readOnMainThread);
    EXPECT_EQ(model->specs(), machine);
    ASSERT_TRUE(model->resumable());
    EXPECT_EQ(model->resumable()->plannedSteps, TestPlans::ordered(TestPlans::full));
    EXPECT_TRUE(model->telemetry().isRunning());
    EXPECT_EQ(refreshFlips, 0) << "signed out: no account refresh";
    EXPECT_EQ(persianServer.count("user-points"), 0);
    EXPECT_FALSE(model->status());

    ASSERT_TRUE(runUntil([&] { return model->update().has_value(); }));
    EXPECT_EQ(model->update()->version.description(), "1.2.0");
}

// The program may quit while the keyring is still silent; the start-up then ends with the
// model instead of waiting on (and holding its memory) for a load nobody will finish.
TEST_F(AppModelTest, AModelThatGoesWhileTheKeyringIsSilentEndsItsStartUp) {
    auto silent = std::make_unique<ScriptedTokenStore>();
    silent->holdReads = true;
    const ScriptedTokenStore& keyring = *silent;
    AppModelSetup quiet = setup();
    quiet.tokenStore = std::move(silent);
    makeModel(std::move(quiet));
    Awaited<void> started;
    capture(model->start(), started);
    ASSERT_TRUE(runUntil([&] { return keyring.heldReads() == 1; }));
    EXPECT_FALSE(started.done) << "the start-up waits for the stored session";

    model.reset();
    EXPECT_TRUE(started.done);
    EXPECT_FALSE(started.error);
}

TEST_F(AppModelTest, StartUpWithAStoredSessionRefreshesTheAccountAndReportsTheDevice) {
    signedInEarlier(AppLanguage::persian);
    AppModelSetup knownMachine = setup();
    knownMachine.readSpecs = []() -> SystemSpecs { throw std::logic_error("the specs are known"); };
    makeModel(std::move(knownMachine));
    EXPECT_TRUE(model->session().isAuthenticated());

    awaitTask(model->start());
    EXPECT_EQ(model->session().accountName(), "sara");
    EXPECT_FALSE(model->isRefreshingAccount());
    EXPECT_FALSE(model->status());
    ASSERT_TRUE(runUntil([&] { return persianServer.count("device") == 1; }));
    EXPECT_EQ(persianServer.count("submit-benchmark"), 0) << "no results to submit";
}

TEST_F(AppModelTest, DismissedVersionsAreNotOfferedAgain) {
    struct Row {
        std::optional<std::string> dismissed;
        bool offered;
    };
    // The site offers 2.1 to a running 1.0.
    const Row rows[] = {{std::nullopt, true}, {"2.1", false}, {"2.0", true}, {"2.2", false}, {"", true}, {"soon", true}};
    persianServer.answer("app-update", updateOffer("2.1"));
    for (const Row& row : rows) {
        model.reset();
        AppSettingsStore(folder.path()).setDismissedUpdateVersion(row.dismissed);
        makeModel();
        awaitTask(model->checkForUpdate());
        EXPECT_EQ(model->update().has_value(), row.offered) << row.dismissed.value_or("(none)");
    }
}

TEST_F(AppModelTest, TheOfferIsDismissedOrOpenedInTheBrowser) {
    makeModel();
    model->openUpdateDownload();
    model->dismissUpdate();
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(model->status()) << "no offer: nothing happens";

    persianServer.answer("app-update", updateOffer("2.1"));
    awaitTask(model->checkForUpdate());
    browserOpens = false;
    model->openUpdateDownload();
    const std::string download = "https://zantiva.com/downloads/zantiva-diagnostics-2.1.deb";
    EXPECT_EQ(model->status(), LocalizedMessage("Update.OpenFailed", download));
    EXPECT_TRUE(model->update()) << "the offer stays";

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl(QString::fromStdString(download)));

    model->dismissUpdate();
    EXPECT_FALSE(model->update());
    EXPECT_EQ(AppSettingsStore(folder.path()).current().dismissedUpdateVersion, "2.1.0");
}

TEST_F(AppModelTest, LanguageSwitchMovesToTheOtherSiteAndDropsTheOldSitesAnswer) {
    persianServer.answer("app-update", updateOffer("2.0"));
    englishServer.answer("app-update", updateOffer("3.0"));
    makeModel();
    std::vector<std::optional<AppUpdateInfo>> offers;
    QObject::connect(model.get(), &AppModel::updateChanged, [&] { offers.push_back(model->update()); });
    model->setStatus(LocalizedMessage("Main.LoadingSpecs"));

    Awaited<void> persianCheck;
    capture(model->checkForUpdate(), persianCheck);
    model->setLanguage(AppLanguage::english);
    EXPECT_EQ(loc.language(), AppLanguage::english);
    EXPECT_EQ(model->session().activeSite(), sites.english);
    EXPECT_EQ(AppSettingsStore(folder.path()).current().language, AppLanguage::english);
    EXPECT_FALSE(model->status());

    ASSERT_TRUE(runUntil([&] { return persianCheck.done && model->update().has_value(); }));
    ASSERT_EQ(offers.size(), 1u) << "the Persian site's offer never showed";
    EXPECT_EQ(offers[0]->version.description(), "3.0.0");
    EXPECT_EQ(englishServer.count("user-points"), 0) << "signed out there: no refresh";

    model->setStatus(LocalizedMessage("Main.LoadingSpecs"));
    model->setLanguage(AppLanguage::english);
    EXPECT_TRUE(model->status()) << "the language in use: nothing happens";
    EXPECT_TRUE(model->update());
}

TEST_F(AppModelTest, CompletedRunJoinsOnlyTheLastReportOfThisMachine) {
    struct Row {
        const char* what;
        std::optional<FinalBenchmarkReport> stored;
        bool keepsAudio;
    };
    const Row rows[] = {
        {"this machine's report", FinalBenchmarkReport{.specs = sampleLaptopSpecs(), .audioPassed = true}, true},
        {"another machine's report", FinalBenchmarkReport{.specs = otherMachine(), .audioPassed = true}, false},
        {"a report without specs", FinalBenchmarkReport{.audioPassed = true}, false},
        {"no report", std::nullopt, false},
    };
    for (const Row& row : rows) {
        model.reset();
        std::filesystem::remove(folder / "last-report.json");
        if (row.stored) ResultStore(folder.path()).saveReport(*row.stored);
        makeModel();
        bindNavigation(*model);
        const FinalBenchmarkReport run{.gpuResult = GpuBenchmarkResult{.score = 120}, .inputPassed = true};
        awaitTask(model->completeRun(run, true));

        const FinalBenchmarkReport& report = model->report();
        EXPECT_EQ(report.audioPassed.has_value(), row.keepsAudio) << row.what;
        EXPECT_EQ(report.gpuResult, run.gpuResult) << row.what;
        EXPECT_EQ(report.specs, sampleLaptopSpecs()) << row.what;
        EXPECT_EQ(ResultStore(folder.path()).loadReport(), report) << row.what;
        EXPECT_EQ(model->screen(), AppScreen::result) << row.what;
        EXPECT_TRUE(model->hasResults()) << row.what;
    }
}

// Another window of the same user saved its run after this one read the report: the run is
// laid over the report as stored then, and neither run's results are lost.
TEST_F(AppModelTest, CompletedRunKeepsWhatAnotherWindowSavedMeanwhile) {
    ResultStore(folder.path()).saveReport(FinalBenchmarkReport{.specs = sampleLaptopSpecs(), .audioPassed = true});
    makeModel();
    bindNavigation(*model);
    const FinalBenchmarkReport other{
        .specs = sampleLaptopSpecs(), .gpuResult = GpuBenchmarkResult{.score = 120}, .audioPassed = true};
    ResultStore(folder.path()).saveReport(other);

    awaitTask(model->completeRun(FinalBenchmarkReport{.inputPassed = true}, true));
    EXPECT_EQ(model->report().gpuResult, other.gpuResult);
    EXPECT_EQ(model->report().audioPassed, true);
    EXPECT_EQ(model->report().inputPassed, true);
    EXPECT_EQ(ResultStore(folder.path()).loadReport(), model->report());
}

// A run told as not saved (the disk was full) is not written by the next run's save, over
// the result another window stored since.
TEST_F(AppModelTest, ARunToldAsNotSavedIsNotSavedLaterOverANewerOne) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    makeModel();
    bindNavigation(*model);
    disk.fill();
    awaitTask(model->completeRun(FinalBenchmarkReport{.cpuResult = CpuBenchmarkResult{.score = 1111}}, true));
    ASSERT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.Report.DiskFull"});
    std::filesystem::remove(folder / "filler");
    ResultStore(folder.path())
        .saveReport(FinalBenchmarkReport{.specs = sampleLaptopSpecs(), .cpuResult = CpuBenchmarkResult{.score = 9999}});

    awaitTask(model->completeRun(FinalBenchmarkReport{.gpuResult = GpuBenchmarkResult{.score = 120}}, true));
    ASSERT_TRUE(model->report().cpuResult);
    EXPECT_EQ(model->report().cpuResult->score, 9999);
    EXPECT_EQ(ResultStore(folder.path()).loadReport(), model->report());
}

// The report's lock held past the save's patience (a stopped window): the run's results are
// kept in its session, the status line says so, and the next start adds them to the report.
TEST_F(AppModelTest, ARunWhoseReportCantBeSavedIsKeptForTheNextStart) {
    HeldLock held(folder / "last-report.json");
    const auto kept = runWithTheReportLocked(held);
    ASSERT_TRUE(kept && kept->results.memoryResult);
    EXPECT_EQ(model->screen(), AppScreen::result);
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.Report.Kept"});

    held.release();
    makeModel();
    awaitTask(model->start());
    EXPECT_EQ(model->report().memoryResult, kept->results.memoryResult);
}

// Another run begun in the same window takes the session file's place: the kept run goes into
// the report first, and while it can't, the new run doesn't begin and the kept run stays. The
// status line says only what is so: once the new run begins, neither that a run didn't begin
// nor that the kept run's results are only in the session file.
TEST_F(AppModelTest, ARunBegunInTheSameWindowLaysTheKeptRunOverTheReportFirst) {
    for (const bool refusedFirst : {true, false}) {
        SCOPED_TRACE(refusedFirst ? "refused while the lock was held" : "begun once it was free");
        model.reset();
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) std::filesystem::remove_all(entry);
        HeldLock held(folder / "last-report.json");
        const auto kept = runWithTheReportLocked(held);
        ASSERT_TRUE(kept && kept->results.memoryResult);

        model->setScreen(AppScreen::dashboard);
        if (refusedFirst) {
            model->suite().start(TestPlans::cpuOnly);
            EXPECT_FALSE(model->suite().isRunning());
            EXPECT_EQ(model->screen(), AppScreen::dashboard);
            ASSERT_TRUE(model->status());
            EXPECT_EQ(model->status()->key(), "Suite.NotBegun.Finished");
            EXPECT_EQ(storedSession(folder.path()), kept);
        }

        held.release();
        model->suite().start(TestPlans::ramOnly);
        EXPECT_TRUE(model->suite().isRunning());
        EXPECT_FALSE(model->status()) << model->status()->resolved(AppLanguage::english);
        EXPECT_EQ(bannerKeys(), std::vector<std::string>{});
        const auto report = ResultStore(folder.path()).loadReport();
        EXPECT_TRUE(report && report->memoryResult == kept->results.memoryResult);
        EXPECT_EQ(model->report().memoryResult, kept->results.memoryResult);
        ASSERT_TRUE(runUntil([&] { return !model->suite().isRunning(); }, std::chrono::minutes(1)));
        EXPECT_FALSE(model->status()) << model->status()->resolved(AppLanguage::english);
    }
}

// The session file's lock held past the save's patience (a stopped window) while the file holds a
// finished run: a new run can't look at it, so it doesn't begin and the status line says why;
// once the lock is free the run begins, the finished run laid over the report first.
TEST_F(AppModelTest, ARunWhoseFirstSaveCantLookAtTheSessionFileDoesntBegin) {
    makeTinyModel();
    BenchmarkSession finished = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::ramOnly);
    finished.markCompleted(TestModule::ramTest, ModuleStatus::passed, finished.timestamp);
    finished.results.memoryResult = MemoryTestResult{.testedBytes = 1 << 20, .averageReadThroughputMBps = 33333};
    const std::filesystem::path file = folder / "benchmark-session.json";
    ASSERT_TRUE(ResultStore(folder.path()).saveSession(finished, sampleLaptopSpecs()).saved());
    const auto stored = readWholeFile(file);

    HeldLock held(file);
    ASSERT_TRUE(held.held());
    model->suite().start(TestPlans::ramOnly);
    EXPECT_FALSE(model->suite().isRunning());
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
    ASSERT_TRUE(model->status());
    EXPECT_EQ(model->status()->key(), "Suite.NotBegun.Unlooked");
    EXPECT_EQ(readWholeFile(file), stored);
    EXPECT_FALSE(std::filesystem::exists(folder / "last-report.json"));

    held.release();
    model->suite().start(TestPlans::ramOnly);
    EXPECT_TRUE(model->suite().isRunning());
    EXPECT_FALSE(model->status());
    ASSERT_TRUE(runUntil([&] { return !model->suite().isRunning(); }, std::chrono::minutes(1)));
    const auto report = ResultStore(folder.path()).loadReport();
    ASSERT_TRUE(report && report->memoryResult);
    EXPECT_NE(report->memoryResult, finished.results.memoryResult) << "the new run's result is the newer";
    EXPECT_EQ(report->memoryResult, model->report().memoryResult);
}

// A banner about a failed save stands only while the file is as it says: once a later save of
// the same file works (the disk has room again, the folder is writable again), it goes. The
// report's, then the session's (a run stopped at a station while its session couldn't be saved).
TEST_F(AppModelTest, ABannerAboutAFailedSaveGoesOnceALaterSaveOfThatFileWorked) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    makeTinyModel();
    const auto told = [&] { return bannerKeys().empty() ? std::string("nothing") : bannerKeys().front(); };
    const auto ended = [&] { return runEnded(*model); };
    const auto atStation = [&] { return runUntil([&] { return model->suite().isAwaitingStation(); }); };
    for (const SaveFailure& f : saveFailures(disk)) {
        SCOPED_TRACE(f.name);
        ASSERT_TRUE(f.begin());
        model->suite().start(TestPlans::ramOnly);
        ASSERT_TRUE(ended());
        EXPECT_EQ(told(), f.reportKey);
        ASSERT_TRUE(f.end());
        model->suite().start(TestPlans::ramOnly);
        ASSERT_TRUE(ended());
        EXPECT_EQ(told(), "nothing");
        const auto report = ResultStore(folder.path()).loadReport();
        EXPECT_TRUE(report && report->memoryResult == model->report().memoryResult);

        ASSERT_TRUE(f.begin());
        model->suite().start(TestPlans::displayOnly);
        ASSERT_TRUE(atStation());
        model->suite().stop();
        ASSERT_TRUE(ended());
        EXPECT_EQ(told(), f.sessionKey);
        ASSERT_TRUE(f.end());
        model->suite().start(TestPlans::displayOnly);
        ASSERT_TRUE(atStation());
        EXPECT_EQ(told(), "nothing");
        model->suite().stop();
        ASSERT_TRUE(ended());
        std::filesystem::remove(folder / "benchmark-session.json");
    }
}

// The run kept in the session file (the report's lock held) meets, at the next start, a report
// saved while the clock was an hour ahead: the report keeps its own memory result, the run's is
// kept beside it, and the window says where, in either language.
TEST_F(AppModelTest, AKeptRunTheReportDoesntTakeIsKeptBesideItAndTheWindowSaysWhere) {
    using namespace std::chrono_literals;
    FinalBenchmarkReport ahead{.specs = sampleLaptopSpecs(),
                               .memoryResult = MemoryTestResult{.testedBytes = 1 << 20, .averageReadThroughputMBps = 44444}};
    ahead.completedAt = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now() + 1h);
    ASSERT_TRUE(ResultStore(folder.path()).saveReport(ahead).saved());
    HeldLock held(folder / "last-report.json");
    const auto kept = runWithTheReportLocked(held);
    ASSERT_TRUE(kept && kept->results.memoryResult);
    held.release();

    makeModel();
    awaitTask(model->start());
    EXPECT_FALSE(std::filesystem::exists(folder / "benchmark-session.json"));
    EXPECT_EQ(model->report().memoryResult, ahead.memoryResult);
    EXPECT_EQ(ResultStore(folder.path()).loadReport()->memoryResult, ahead.memoryResult);
    const auto files = keptBeside(folder.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(keptIn(files[0]).memoryResult, kept->results.memoryResult);
    ASSERT_EQ(model->banners(), std::vector{LocalizedMessage("Report.KeptAside", files[0].string())});
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian})
        EXPECT_NE(RootPresenter::present({.banners = model->banners()}, Loc(language)).status->find(files[0].string()),
                  std::string::npos);
}

// A result that couldn't be saved (a full disk, a read-only folder) stays shown and goes into the
// report with the next save of it that works, whichever test's that is: here the battery check's.
TEST_F(AppModelTest, AResultNotSavedGoesIntoTheNextSaveOfTheReportThatWorksWhicheverTestItIs) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
        for (const SaveFailure& f : saveFailures(disk)) {
            SCOPED_TRACE(std::string(f.name) + (language == AppLanguage::english ? ", English" : ", Persian"));
            model.reset();
            for (const auto& entry : std::filesystem::directory_iterator(folder.path())) std::filesystem::remove_all(entry);
            ASSERT_TRUE(AppSettingsStore(folder.path()).setLanguage(language).saved());
            makeTinyModel();

            ASSERT_TRUE(f.begin());
            model->suite().start(TestPlans::ramOnly);
            ASSERT_TRUE(runEnded(*model));
            const auto memory = model->report().memoryResult;
            ASSERT_TRUE(memory);
            EXPECT_EQ(bannerKeys(), std::vector<std::string>{f.reportKey});

            ASSERT_TRUE(f.end());
            model->suite().start(TestPlans::batteryOnly);
            ASSERT_TRUE(runEnded(*model));
            EXPECT_EQ(bannerKeys(), std::vector<std::string>{});
            EXPECT_EQ(model->report().memoryResult, memory) << "still shown";
            const auto stored = ResultStore(folder.path()).loadReport();
            ASSERT_TRUE(stored);
            EXPECT_EQ(stored->memoryResult, memory);
            EXPECT_TRUE(stored->batteryResult);
        }
    }
}

// A language switch tells every true line again in the new language, whether the settings'
// own save works or not; the settings' line stands beside the result's, never in its place.
// Once a switch's save works, the folder takes saves again and the result is saved with it.
TEST_F(AppModelTest, ALanguageSwitchKeepsEveryTrueLineInTheNewLanguage) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    makeTinyModel();
    disk.fill();
    model->suite().start(TestPlans::batteryOnly);
    ASSERT_TRUE(runEnded(*model));
    const auto battery = model->report().batteryResult;
    ASSERT_TRUE(battery);
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{"NotSaved.Report.DiskFull"});

    const std::vector<std::string> both{"NotSaved.Report.DiskFull", "NotSaved.Settings.DiskFull"};
    for (const AppLanguage language : {AppLanguage::english, AppLanguage::persian}) {
        model->setLanguage(language);
        EXPECT_EQ(bannerKeys(), both);
        const auto shown = RootPresenter::present({.banners = model->banners()}, loc).status;
        EXPECT_EQ(shown, Loc::string("NotSaved.Report.DiskFull", language) + "\n" +
                             Loc::string("NotSaved.Settings.DiskFull", language));
    }

    ASSERT_TRUE(std::filesystem::remove(folder / "filler"));
    model->setLanguage(AppLanguage::english);
    EXPECT_EQ(bannerKeys(), std::vector<std::string>{});
    model.reset();
    makeModel();
    EXPECT_EQ(model->report().batteryResult, battery) << "in the report after the next start";
    EXPECT_EQ(loc.language(), AppLanguage::english);
}

// Two homes on one data folder: an interrupted run (CPU and memory done yesterday, the battery
// still to do) waits in the session file. Window B runs the memory test (the interrupted run
// gives way) and saves it; window A resumes the run and finishes it. The report keeps B's newer
// memory result and takes the CPU result it lacked; the run's memory result is kept beside it,
// and A's window says where. The same from stored files: a report saved since the interruption.
TEST_F(AppModelTest, AResumedRunDoesntReplaceWhatTheReportGainedWhileItWasInterrupted) {
    using namespace std::chrono_literals;
    for (const bool twoWindows : {true, false}) {
        SCOPED_TRACE(twoWindows ? "window B's run" : "a report stored since");
        model.reset();
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) std::filesystem::remove_all(entry);
        const Date yesterday = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now() - 24h);
        const TestModule plan[] = {TestModule::cpuBenchmark, TestModule::ramTest, TestModule::battery};
        BenchmarkSession interrupted = BenchmarkSession::start(sampleLaptopSpecs(), plan);
        interrupted.startedAt = yesterday - 5min;
        interrupted.markCompleted(TestModule::cpuBenchmark, ModuleStatus::passed, yesterday - 2min);
        interrupted.markCompleted(TestModule::ramTest, ModuleStatus::passed, yesterday);
        interrupted.results.cpuResult = CpuBenchmarkResult{.score = 555.5};
        interrupted.results.memoryResult = MemoryTestResult{.testedBytes = 1 << 20, .averageReadThroughputMBps = 33333};
        ASSERT_TRUE(ResultStore(folder.path()).saveSession(interrupted, sampleLaptopSpecs()).saved());

        makeTinyModel();
        awaitTask(model->start());
        ASSERT_TRUE(model->resumable());
        std::optional<MemoryTestResult> newer;
        if (twoWindows) {
            AppModelSetup other = setup();
            other.suite = tinyConfiguration();
            AppModel windowB(std::move(other));
            awaitTask(windowB.start());
            windowB.suite().start(TestPlans::ramOnly);
            ASSERT_TRUE(runEnded(windowB));
            newer = windowB.report().memoryResult;
        } else {
            newer = MemoryTestResult{.testedBytes = 1 << 20, .averageReadThroughputMBps = 44444};
            ASSERT_TRUE(ResultStore(folder.path()).saveReport({.specs = sampleLaptopSpecs(), .memoryResult = newer}).saved());
        }
        ASSERT_TRUE(newer);

        model->suite().resume(*model->resumable());
        ASSERT_TRUE(runEnded(*model));
        const auto report = ResultStore(folder.path()).loadReport();
        ASSERT_TRUE(report);
        EXPECT_EQ(report->memoryResult, newer);
        EXPECT_EQ(report->cpuResult, interrupted.results.cpuResult) << "a test the report lacked is filled in";
        EXPECT_TRUE(report->batteryResult);
        EXPECT_EQ(model->report(), *report);
        const auto files = keptBeside(folder.path());
        ASSERT_EQ(files.size(), 1u);
        const FinalBenchmarkReport kept = keptIn(files[0]);
        EXPECT_EQ(kept.memoryResult, interrupted.results.memoryResult);
        EXPECT_EQ(kept.completedAt, yesterday);
        EXPECT_EQ(kept.cpuResult, std::nullopt) << "only what the report didn't take";
        EXPECT_EQ(model->banners(), std::vector{LocalizedMessage("Report.KeptAside", files[0].string())});
    }
}

// A restored app folder of another machine: its grade isn't shown (or sent) as this one's.
TEST_F(AppModelTest, AnotherMachinesReportHasNoResultsHere) {
    ResultStore(folder.path())
        .saveReport({.specs = otherMachine(), .cpuResult = CpuBenchmarkResult{.score = 975.3}, .audioPassed = true});
    makeModel();
    EXPECT_FALSE(model->hasResults());
}

TEST_F(AppModelTest, RunWithoutCompletedStationsChangesNothingButTheScreen) {
    makeModel();
    bindNavigation(*model);
    model->setScreen(AppScreen::suite);
    const FinalBenchmarkReport before = model->report();
    awaitTask(model->completeRun(FinalBenchmarkReport{.gpuResult = GpuBenchmarkResult{.score = 120}}, false));
    EXPECT_EQ(model->screen(), AppScreen::dashboard);
    EXPECT_EQ(model->report(), before);
    EXPECT_FALSE(model->hasResults());
    EXPECT_FALSE(std::filesystem::exists(folder / "last-report.json"));
}

TEST_F(AppModelTest, SignedInRunIsSubmittedToTheLeaderboard) {
    signedInEarlier(AppLanguage::persian);
    makeModel();
    awaitTask(model->completeRun(FinalBenchmarkReport{.gpuResult = GpuBenchmarkResult{.score = 120}}, true));
    EXPECT_EQ(persianServer.count("submit-benchmark"), 1);
}

// A run held to one CPU of this machine's 22 threads is not sent as the machine's result; the
// status line says why.
TEST_F(AppModelTest, ARunOnFewerThreadsIsNotSubmittedAndTheStatusSaysWhy) {
    signedInEarlier(AppLanguage::persian);
    makeModel();
    CpuBenchmarkResult cpu;
    cpu.threadsUsed = 1;
    awaitTask(model->completeRun(FinalBenchmarkReport{.cpuResult = cpu}, true));
    EXPECT_EQ(persianServer.count("submit-benchmark"), 0);
    EXPECT_EQ(model->status(), LocalizedMessage("Main.ResultNotSubmitted.FewerThreads", 1, 22));
}

TEST_F(AppModelTest, SuiteRunnerHandsItsRunToTheModel) {
    // A memory-only run of the smallest workload.
    makeTinyModel();

    model->suite().start(TestPlans::ramOnly);
    EXPECT_EQ(model->screen(), AppScreen::suite);
    ASSERT_TRUE(runUntil([&] { return model->screen() == AppScreen::result; }));
    EXPECT_TRUE(model->report().memoryResult);
    EXPECT_FALSE(model->resumable());
}

// The app folder on a full disk: the run's results are shown with the news that they were
// measured but not saved, the report saved before stays whole, and a setting that can't be
// saved is told the first time only.
TEST_F(AppModelTest, OnAFullDiskTheWindowSaysWhatWasMeasuredButNotSaved) {
    const FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    ASSERT_TRUE(ResultStore(folder.path()).saveReport(FinalBenchmarkReport{.specs = sampleLaptopSpecs()}).saved());
    const auto earlier = readWholeFile(folder / "last-report.json");
    makeTinyModel();
    std::vector<std::vector<std::string>> told;
    QObject::connect(model.get(), &AppModel::bannersChanged, [&] { told.push_back(bannerKeys()); });
    disk.fill();

    model->suite().start(TestPlans::ramOnly);
    ASSERT_TRUE(runUntil([&] { return model->screen() == AppScreen::result; }));
    EXPECT_TRUE(model->report().memoryResult);
    // The session's line stands while the run does; once it has finished, the report's tells of its results.
    const std::vector<std::vector<std::string>> run{{"NotSaved.Session.DiskFull"},
                                                    {"NotSaved.Report.DiskFull", "NotSaved.Session.DiskFull"},
                                                    {"NotSaved.Report.DiskFull"}};
    EXPECT_EQ(told, run);
    EXPECT_EQ(readWholeFile(folder / "last-report.json"), earlier);

    // Each file's line stands beside the others': the settings' takes no other's place.
    const std::vector<std::string> all{"NotSaved.Report.DiskFull", "NotSaved.Settings.DiskFull"};
    model->setLanguage(AppLanguage::english);
    EXPECT_EQ(bannerKeys(), all);
    EXPECT_EQ(model->settings().current().language, AppLanguage::english);
    model->setLanguage(AppLanguage::persian);
    EXPECT_EQ(bannerKeys(), all) << "still so";
    EXPECT_FALSE(std::filesystem::exists(folder / "settings.json"));
}

// A data folder that can't be used is told as the window starts, not first at a failed save.
TEST_F(AppModelTest, AFolderThatCantBeUsedIsToldFromTheStart) {
    const LocalizedMessage linked("AppFolder.Link", (folder / "ZantivaDiagnostics").string());
    AppModelSetup refused = setup();
    refused.folder = std::nullopt;
    refused.folderNotice = linked;
    makeModel(std::move(refused));
    awaitTask(model->start());
    EXPECT_EQ(model->status(), linked);
}

TEST_F(AppModelTest, UncaughtExceptionsBecomeTheNoticeOneAtATime) {
    makeModel();
    model->watchForUnexpectedErrors();
    detach([]() -> QCoro::Task<> {
        throw std::runtime_error("the sensor bus went away");
        co_return;
    }());
    ASSERT_TRUE(runUntil([&] { return model->unexpectedError().has_value(); }));
    EXPECT_EQ(model->unexpectedError(), "the sensor bus went away");

    std::thread([] { ExceptionCatcher::report({"std::logic_error", "a second one"}); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(model->unexpectedError(), "the sensor bus went away") << "the notice on screen stays";

    model->clearUnexpectedError();
    std::thread([] { ExceptionCatcher::report({"zantiva::Unnamed", std::nullopt}); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(model->unexpectedError(), "zantiva::Unnamed");

    model.reset();
    ExceptionCatcher::report({"std::logic_error", "after the model"});
    QCoreApplication::processEvents(); // dropped: nobody to show it
    ExceptionCatcher::setApplicationHandler({});
}

} // namespace
