// Whole suite runs with tiny engine workloads and scripted station outcomes: what the
// runner shows, what it saves after every module, and what it hands to the app model.

#include <csignal>
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "../Support/ProcessState.h"
#include "../Support/StandInQuestion.h"
#include "../Support/TemporaryFolder.h"
#include "DriveHealth/ElevatedDriveHealth.h"
#include "Engines/GPUBenchmarkError.h"
#include "Model/BenchmarkBaseline.h"
#include "Model/DeductionScored.h"
#include "Model/ResultStore.h"
#include "Model/TestPlans.h"
#include "Runners/SessionRecording.h"
#include "SuiteTestSupport.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva::testing {
namespace {

using enum TestModule;

class SuiteRunnerTest : public ::testing::Test {
protected:
    std::unique_ptr<TestSuiteRunner> makeRunner(SuiteConfiguration configuration = tinyConfiguration()) {
        auto made = std::make_unique<TestSuiteRunner>(store, gate, std::move(configuration));
        made->setModel(host);
        host->recordScreens(*made, AppScreen::suite);
        made->setDurationMinutes(0);
        // A station page reports its outcome as soon as it is shown.
        TestSuiteRunner* r = made.get();
        QObject::connect(r, &TestSuiteRunner::currentChanged, [this, r] {
            if (!r->current()) return;
            const auto outcome = script.find(*r->current());
            if (outcome != script.end()) r->complete(outcome->second);
        });
        // Every status change, in order, as (module, status).
        QObject::connect(r, &TestSuiteRunner::statusesChanged, [this, r] {
            for (const auto& [module, status] : r->statuses()) {
                const auto before = seen.find(module);
                if (before == seen.end() || before->second != status) changes.emplace_back(module, status);
            }
            seen = r->statuses();
        });
        return made;
    }

    bool awaitCompletions(std::size_t count) {
        return runUntil([&] { return host->completions.size() >= count; }, std::chrono::seconds(60));
    }

    std::vector<TestModule> modulesThatRan() const {
        std::vector<TestModule> ran;
        for (const auto& [module, status] : changes)
            if (status == ModuleStatus::running) ran.push_back(module);
        return ran;
    }

    TemporaryFolder folder;
    ResultStore store{folder.path()};
    std::shared_ptr<RunGate> gate = std::make_shared<RunGate>();
    std::shared_ptr<TestHost> host = std::make_shared<TestHost>();
    std::map<TestModule, StationOutcome> script;
    std::map<TestModule, ModuleStatus> seen;
    std::vector<std::pair<TestModule, ModuleStatus>> changes;
};

DisplayTestResult deadPixels() { return {{"Display.Issue.DeadPixels"}, std::nullopt}; }
KeyboardTestResult everyKeyOnce() { return {70, {}, {}}; }

TEST_F(SuiteRunnerTest, FullPlanRunsEveryModuleInOrderAndSavesTheSessionBeforeAndAfterEach) {
    script = {{display, StationOutcome::display(deadPixels())},
              {audio, StationOutcome::audio(true)},
              {micCamera, StationOutcome::micCamera(true, true)},
              {input, StationOutcome::input(everyKeyOnce(), true)}};
    auto runner = makeRunner();
    std::vector<std::string> problems;
    std::optional<BenchmarkSession> lastStored;
    // The file as it stands whenever a module starts or ends.
    QObject::connect(runner.get(), &TestSuiteRunner::statusesChanged, [&] {
        const auto& [module, status] = changes.back();
        const auto stored = storedSession(folder.path());
        if (!stored) return problems.push_back("no session file at " + std::string(stepID(module)));
        const bool completed = std::ranges::find(stored->completedSteps, module) != stored->completedSteps.end();
        if (status == ModuleStatus::running && (stored->inProgress != module || completed))
            problems.push_back(std::string(stepID(module)) + " not saved as in progress");
        if (status != ModuleStatus::running &&
            (!completed || stored->stepStatus.at(std::string(stepID(module))) != status || stored->inProgress))
            problems.push_back(std::string(stepID(module)) + " not saved as finished");
        lastStored = stored;
    });

    runner->start(TestPlans::full);
    EXPECT_TRUE(runner->isRunning());
    EXPECT_EQ(host->screens, std::vector{AppScreen::suite});
    ASSERT_TRUE(awaitCompletions(1));

    EXPECT_EQ(problems, std::vector<std::string>{});
    EXPECT_EQ(modulesThatRan(), TestPlans::full);
    const BenchmarkSession& last = *lastStored;
    const FinalBenchmarkReport& report = host->completions[0].report;
    EXPECT_TRUE(host->completions[0].hadCompletedStations);
    EXPECT_EQ(report.toJson(), last.results.toJson()); // the file keeps whole seconds

    // All passed: a dead pixel is a finding in the report, not a failure; so are battery issues.
    std::map<TestModule, ModuleStatus> allPassed;
    for (const TestModule module : TestPlans::full) allPassed[module] = ModuleStatus::passed;
    EXPECT_EQ(runner->statuses(), allPassed);
    EXPECT_TRUE(runner->failures().empty());
    EXPECT_FALSE(runner->notice());

    ASSERT_TRUE(report.cpuResult && report.gpuResult && report.memoryResult && report.batteryResult);
    EXPECT_EQ(report.displayResult, deadPixels());
    EXPECT_EQ(report.keyboardResult, everyKeyOnce());
    EXPECT_EQ(report.audioPassed, true);
    EXPECT_EQ(report.micCameraPassed, true);
    EXPECT_TRUE(report.cameraBypassed);
    EXPECT_EQ(report.inputPassed, true);
    EXPECT_TRUE(report.driveHealth);

    const std::map<std::string, double> scores = {
        {"cpu_multi", report.cpuResult->score},
        {"cpu_single", report.cpuResult->singleCoreScore},
        {"gpu", report.gpuResult->score},
        {"display", 90},
        {"battery", static_cast<double>(deductionScore(*report.batteryResult))},
        {"keyboard", 100}};
    EXPECT_EQ(last.scores, scores);

    // Progress came through to the main thread (the tiny CPU run may end before its twice-a-second
    // report: the stop test sees that one); nothing remains, so nothing is resumable.
    ASSERT_TRUE(runner->memoryProgress());
    EXPECT_TRUE(runner->memoryProgress()->verifying);
    EXPECT_TRUE(runner->gpuProgress());
    EXPECT_TRUE(runner->batteryLive());
    EXPECT_FALSE(runner->isRunning());
    EXPECT_FALSE(runner->current());
    EXPECT_FALSE(storedSession(folder.path()));
    ASSERT_FALSE(host->resumables.empty());
    EXPECT_FALSE(host->resumables.back());
    EXPECT_FALSE(gate->isBusy());
}

TEST_F(SuiteRunnerTest, StopAtAStationKeepsTheRunResumableAndResumingRunsOnlyWhatRemained) {
    script = {{display, StationOutcome::skipped()}};
    auto runner = makeRunner();
    runner->start(TestPlans::full);
    ASSERT_TRUE(runUntil([&] { return runner->current() == audio && runner->isAwaitingStation(); }));
    runner->stop();
    ASSERT_TRUE(awaitCompletions(1));

    EXPECT_EQ(runner->statuses(), (std::map<TestModule, ModuleStatus>{{cpuBenchmark, ModuleStatus::passed},
                                                                       {gpuBenchmark, ModuleStatus::passed},
                                                                       {ramTest, ModuleStatus::passed},
                                                                       {display, ModuleStatus::skipped},
                                                                       {audio, ModuleStatus::cancelled}}));
    EXPECT_TRUE(host->completions[0].hadCompletedStations);
    const auto stored = storedSession(folder.path());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->remainingModules(), (std::vector{audio, micCamera, battery, input}));
    EXPECT_EQ(stored->stepStatus.at("audio"), ModuleStatus::cancelled);
    EXPECT_FALSE(stored->inProgress);
    ASSERT_TRUE(host->resumables.back());
    EXPECT_EQ(host->resumables.back()->toJson(), stored->toJson());

    // The next start offers it; a fresh runner resumes it.
    const auto offered = store.loadResumableSession(sampleLaptopSpecs());
    ASSERT_EQ(offered, stored);
    changes.clear();
    seen.clear();
    script = {{audio, StationOutcome::audio(false)},
              {micCamera, StationOutcome::bypassed()},
              {input, StationOutcome::input(everyKeyOnce(), true)}};
    auto resumed = makeRunner();
    resumed->resume(*offered);
    EXPECT_TRUE(resumed->wasResumed());
    EXPECT_EQ(resumed->statuses().at(cpuBenchmark), ModuleStatus::passed); // kept from before
    ASSERT_TRUE(awaitCompletions(2));

    EXPECT_EQ(modulesThatRan(), (std::vector{audio, micCamera, battery, input}));
    EXPECT_EQ(resumed->statuses().at(audio), ModuleStatus::failed);
    EXPECT_EQ(resumed->statuses().at(micCamera), ModuleStatus::bypassed);
    const FinalBenchmarkReport& report = host->completions[1].report;
    EXPECT_EQ(report.cpuResult, host->completions[0].report.cpuResult);
    EXPECT_EQ(report.audioPassed, false);
    EXPECT_EQ(report.inputPassed, true);
    EXPECT_FALSE(storedSession(folder.path()));
    EXPECT_FALSE(host->resumables.back());
}

// A resumed run reads the drives again; when their list can't be read then, the reading the
// session already holds stays: which drives there are is unknown, not none.
TEST_F(SuiteRunnerTest, AResumedRunThatCantListTheDrivesKeepsTheReadingItHad) {
    BenchmarkSession session = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::cpuOnly);
    session.results.driveHealth = DriveHealthReader::read(tinyConfiguration().drives);
    ASSERT_FALSE(session.results.driveHealth->drives.empty());
    TemporaryFolder machine;
    std::ofstream(machine / "sys") << "a file where /sys should be";
    SuiteConfiguration unlisted = tinyConfiguration();
    unlisted.drives = fixtureDriveHealth(machine.path());
    ASSERT_TRUE(DriveHealthReader::read(unlisted.drives).listingError);

    auto runner = makeRunner(unlisted);
    runner->resume(session);
    ASSERT_TRUE(awaitCompletions(1));
    EXPECT_EQ(host->completions[0].report.driveHealth, session.results.driveHealth);
}

// After an update that changed the CPU scoring, the CPU result of an interrupted run is
// dropped: the resumed run measures the CPU again instead of counting it as done.
TEST_F(SuiteRunnerTest, AResumedRunWhoseCpuResultWasDroppedMeasuresItAgain) {
    const std::vector plan{cpuBenchmark, ramTest};
    BenchmarkSession session = BenchmarkSession::start(sampleLaptopSpecs(), plan);
    SessionRecording::record(session, CpuBenchmarkResult{.scoringVersion = 2, .score = 11111});
    session.markCompleted(cpuBenchmark, ModuleStatus::passed, session.startedAt);
    ASSERT_TRUE(store.saveSession(session, sampleLaptopSpecs()).saved());

    const auto offered = store.loadResumableSession(sampleLaptopSpecs());
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->remainingModules(), plan);
    auto runner = makeRunner();
    runner->resume(*offered);
    ASSERT_TRUE(awaitCompletions(1));
    EXPECT_EQ(modulesThatRan(), plan);
    const FinalBenchmarkReport& report = host->completions[0].report;
    ASSERT_TRUE(report.cpuResult);
    EXPECT_EQ(report.cpuResult->scoringVersion, BenchmarkBaseline::scoringVersion);
    EXPECT_TRUE(report.memoryResult);
}

// A page that reports late, once the run has moved on to another station, must neither end
// that station's module nor write its part of the report.
TEST_F(SuiteRunnerTest, AnOutcomeOfAnotherStationIsDroppedAndTheStationWaitsForItsOwn) {
    script = {{micCamera, StationOutcome::micCamera(true, false)}};
    auto runner = makeRunner();
    runner->start(TestPlans::audioMic);
    ASSERT_TRUE(runUntil([&] { return runner->current() == audio && runner->isAwaitingStation(); }));

    runner->complete(StationOutcome::display(deadPixels()));
    runner->complete(StationOutcome::bypassed());
    runUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_TRUE(runner->isAwaitingStation());
    EXPECT_EQ(runner->current(), audio);
    EXPECT_EQ(runner->statuses().at(audio), ModuleStatus::running);

    runner->complete(StationOutcome::audio(false));
    ASSERT_TRUE(awaitCompletions(1));
    EXPECT_EQ(runner->statuses().at(audio), ModuleStatus::failed);
    const FinalBenchmarkReport& report = host->completions[0].report;
    EXPECT_EQ(report.audioPassed, false);
    EXPECT_FALSE(report.displayResult);
}

TEST_F(SuiteRunnerTest, StopDuringTheCpuModuleCancelsTheEngineAfterTracingItsLoad) {
    auto runner = makeRunner();
    runner->setDurationMinutes(1);
    runner->start(TestPlans::cpuOnly);
    // The trace takes the live reading once a second while the CPU module runs.
    ASSERT_TRUE(runUntil([&] { return runner->trace().hasLoad && runner->cpuProgress(); }));
    runner->stop();
    // Far sooner than the minute the engine was asked for.
    ASSERT_TRUE(runUntil([&] { return host->completions.size() == 1; }, std::chrono::seconds(20)));

    EXPECT_EQ(runner->statuses().at(cpuBenchmark), ModuleStatus::cancelled);
    EXPECT_EQ(runner->trace().currentLoad, 97);
    EXPECT_TRUE(runner->trace().hasPower);
    EXPECT_FALSE(runner->trace().hasTemperature);
    EXPECT_FALSE(host->completions[0].hadCompletedStations);
    EXPECT_FALSE(host->completions[0].report.cpuResult);
    const auto stored = storedSession(folder.path());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->remainingModules(), std::vector{cpuBenchmark});
}

// The drives are read before the first module; a drive refused for lack of rights brings up
// the question for them, which the user may leave open. Stopping then ends the run at once.
TEST_F(SuiteRunnerTest, StopWhileTheQuestionForRightsIsOpenEndsItAndTheRun) {
    SuiteConfiguration c = tinyConfiguration();
    c.drives.runsAsRoot = false;   // a user's run, whoever runs the test
    c.drives.healthLog = [](const std::string&) {
        return HealthSourceAnswer<std::vector<std::uint8_t>>{.value = std::nullopt, .refused = true};
    };
    c.drives.verdict = [](const std::string&) {
        return HealthSourceAnswer<bool>{.value = std::nullopt, .refused = true};
    };
    TemporaryFolder launcherFolder;
    const auto pidFile = launcherFolder.path() / "launcher.pid";
    c.drives.withAdministratorRights = [pidFile](const std::string& drive, const CancelToken& cancel) {
        return readDriveThroughProgram(unansweredQuestion(pidFile), "/bin/true", drive, std::chrono::minutes(10),
                                       cancel);
    };
    auto runner = makeRunner(c);
    runner->start(TestPlans::cpuOnly);
    const auto launcher = awaitQuestion(pidFile);
    ASSERT_TRUE(launcher);
    EXPECT_TRUE(runner->isReadingDrives());

    runner->stop();
    const bool ended = runUntil([&] { return host->completions.size() == 1; }, std::chrono::seconds(60));
    if (!ended) ::kill(*launcher, SIGKILL);   // so that a hang still lets the test finish
    ASSERT_TRUE(ended);
    EXPECT_TRUE(isGone(*launcher));
    EXPECT_FALSE(runner->isRunning());
    EXPECT_TRUE(modulesThatRan().empty());
    // The drives stay unknown, and the report says nothing of rights the user never refused.
    const auto& health = host->completions[0].report.driveHealth;
    ASSERT_TRUE(health);
    ASSERT_FALSE(health->drives.empty());
    for (const auto& drive : health->drives) {
        EXPECT_EQ(drive.status, DriveHealthStatus::unknown) << drive.id;
        EXPECT_FALSE(drive.unreadReason) << drive.id;
    }
}

TEST_F(SuiteRunnerTest, AFailingModuleIsRecordedWithItsNoticeAndTheRunGoesOn) {
    SuiteConfiguration configuration = tinyConfiguration();
    configuration.gpuRenderer = [](const GPUBenchmarkConfiguration&, const CancelToken&) -> std::unique_ptr<GpuRenderer> {
        throw GPUBenchmarkError::noDevice();
    };
    auto runner = makeRunner(configuration);
    runner->start(TestPlans::performance);
    ASSERT_TRUE(awaitCompletions(1));

    const LocalizedMessage why = GPUBenchmarkError::noDevice().userMessage();
    EXPECT_EQ(runner->statuses(), (std::map<TestModule, ModuleStatus>{{cpuBenchmark, ModuleStatus::passed},
                                                                       {gpuBenchmark, ModuleStatus::failed},
                                                                       {ramTest, ModuleStatus::passed}}));
    EXPECT_EQ(runner->failures(), (std::map<TestModule, LocalizedMessage>{{gpuBenchmark, why}}));
    EXPECT_EQ(runner->notice(), why);
    const FinalBenchmarkReport& report = host->completions[0].report;
    EXPECT_FALSE(report.gpuResult); // never a made-up score
    EXPECT_TRUE(report.memoryResult);
    EXPECT_TRUE(host->completions[0].hadCompletedStations);
    EXPECT_FALSE(storedSession(folder.path())); // a failed module is finished, not remaining
}

// The model couldn't save the run's report: the finished session, holding every result, stays
// for the next start, and the model heard that it does.
TEST_F(SuiteRunnerTest, AFinishedRunWhoseReportWasntSavedKeepsItsSession) {
    host->reportSaved = false;
    auto runner = makeRunner();
    bool ended = false;
    runner->setAfterRun([&] { ended = true; });
    runner->start(TestPlans::performance);
    ASSERT_TRUE(runUntil([&] { return ended; }, std::chrono::seconds(60)));

    ASSERT_EQ(host->completions.size(), 1u);
    EXPECT_TRUE(host->completions[0].keptInSession);
    const auto stored = storedSession(folder.path());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->results.toJson(), host->completions[0].report.toJson());
}

// A memory test whose buffer can't be had is told in the user's words, with what it needs.
TEST_F(SuiteRunnerTest, AMemoryTestWithoutItsBufferFailsWithItsOwnMessage) {
    SuiteConfiguration configuration = tinyConfiguration();
    configuration.memoryTestBytes = std::int64_t{1} << 48; // more than the address space holds
    auto runner = makeRunner(configuration);
    runner->start(TestPlans::ramOnly);
    ASSERT_TRUE(awaitCompletions(1));

    EXPECT_EQ(runner->statuses(), (std::map<TestModule, ModuleStatus>{{ramTest, ModuleStatus::failed}}));
    // No machine has that much free: it is refused before anything is reserved.
    ASSERT_TRUE(runner->notice());
    EXPECT_EQ(runner->notice()->key(), "Ram.NotEnoughMemory");
    EXPECT_EQ(runner->notice()->arguments().front(), std::to_string((std::int64_t{1} << 28) + 64));
}

TEST_F(SuiteRunnerTest, BypassedPeripheralsAreRecordedWithoutWaitingAndResumeKeepsTheBypass) {
    auto runner = makeRunner();
    runner->setBypassPeripherals(true);
    runner->start(TestPlans::full);
    ASSERT_TRUE(awaitCompletions(1));

    for (const TestModule module : {display, audio, micCamera, input})
        EXPECT_EQ(runner->statuses().at(module), ModuleStatus::bypassed) << stepID(module);
    EXPECT_EQ(modulesThatRan(), (std::vector{cpuBenchmark, gpuBenchmark, ramTest, battery}));
    const FinalBenchmarkReport& report = host->completions[0].report;
    EXPECT_EQ(report.peripheralStatus, BenchmarkSession::peripheralBypassedStatus);
    EXPECT_FALSE(report.displayResult);
    EXPECT_FALSE(report.keyboardResult);

    // A saved run made with the bypass resumes with it, whatever the check box says now.
    BenchmarkSession saved = BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::audioMic);
    saved.peripheralStatus = BenchmarkSession::peripheralBypassedStatus;
    auto other = makeRunner();
    other->resume(saved);
    EXPECT_TRUE(other->bypassPeripherals());
    ASSERT_TRUE(awaitCompletions(2));
    EXPECT_EQ(other->statuses().at(audio), ModuleStatus::bypassed);
    EXPECT_FALSE(host->completions[1].hadCompletedStations); // nothing ran: back to the dashboard
}

TEST_F(SuiteRunnerTest, RefusedStartsRunNothingAndDropTheAfterRunHook) {
    auto runner = makeRunner();
    int hookCalls = 0;
    std::size_t completionsAtHook = 0;
    const auto hook = [&] {
        ++hookCalls;
        completionsAtHook = host->completions.size();
    };

    host->specsValue.reset(); // start-up has not read the specs yet
    runner->setAfterRun(hook);
    runner->start(TestPlans::cpuOnly);
    EXPECT_FALSE(runner->isRunning());
    host->specsValue = sampleLaptopSpecs();

    runner->start({cpuBenchmark, display}); // neither the full suite nor a single-test plan
    EXPECT_FALSE(runner->isRunning());

    ASSERT_TRUE(gate->tryEnter()); // another kind of run, such as the storage test
    runner->start(TestPlans::cpuOnly);
    runner->resume(BenchmarkSession::start(sampleLaptopSpecs(), TestPlans::cpuOnly));
    EXPECT_FALSE(runner->isRunning());
    gate->leave();
    EXPECT_TRUE(host->screens.empty());

    // The refused start took the hook along: this run ends without it.
    runner->start(TestPlans::cpuOnly);
    ASSERT_TRUE(awaitCompletions(1));
    EXPECT_EQ(hookCalls, 0);

    runner->setAfterRun(hook);
    runner->start(TestPlans::ramOnly);
    EXPECT_TRUE(gate->isBusy());
    runner->start(TestPlans::cpuOnly); // one run at a time
    ASSERT_TRUE(awaitCompletions(2));
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(completionsAtHook, 2U); // after the hand-over
    EXPECT_EQ(modulesThatRan(), (std::vector{cpuBenchmark, ramTest}));
}

} // namespace
} // namespace zantiva::testing
