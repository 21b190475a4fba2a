#include "Model/ResultStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <functional>
#include <future>
#include <thread>

#include "../../Support/Fifo.h"
#include "../../Support/DeepJson.h"
#include "../../Support/FullDisk.h"
#include "../../Support/HeldLock.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/WritersAtOnce.h"
#include "Model/AppPaths.h"
#include "Model/JsonFile.h"
#include "Model/NotSavedNotice.h"
#include "Model/RunLayOver.h"
#include "Model/TestPlans.h"
#include "Platform/AtomicFile.h"

namespace fs = std::filesystem;
using namespace zantiva;
using zantiva::testing::TemporaryFolder;
using zantiva::testing::writeRaw;

namespace {

Date wholeSecond(Date d) { return std::chrono::floor<std::chrono::seconds>(d); }

SystemSpecs machine(std::string model, std::string cpu) {
    SystemSpecs specs;
    specs.model = std::move(model);
    specs.cpuName = std::move(cpu);
    return specs;
}

const SystemSpecs thisMachine = machine("ThinkPad X1 Carbon", "Intel Core i7-1165G7");

// A display test with three issues (70) and a CPU result whose check failed (0).
FinalBenchmarkReport scoredReport() {
    FinalBenchmarkReport report;
    report.specs = thisMachine;
    report.displayResult.emplace().issues = {"a", "b", "c"};
    report.cpuResult = CpuBenchmarkResult{};
    report.cpuResult->resultsVerified = false;
    report.overallScore = 35;
    report.completedAt = *parseIso8601("2026-12-06T20:00:00Z"); // fixed: two calls must give the same report
    return report;
}

// The report's JSON with its CPU result turned into one of another scoring version.
json::Json withOldCpuResult(json::Json report) {
    report["cpuResult"]["scoringVersion"] = 2;
    return report;
}

// A report of a later version: its CPU result scored under later rules (its overall score
// counted it), and a result kind this version doesn't know.
json::Json laterVersionReport() {
    json::Json report = scoredReport().toJson();
    report["cpuResult"]["scoringVersion"] = 4;
    report["cpuResult"]["score"] = 99999;
    report["overallScore"] = 88;
    report["thermalResult"] = {{"throttled", false}, {"peakCelsius", 91}};
    return report;
}

BenchmarkSession unfinishedSession(const SystemSpecs& specs) {
    const TestModule plan[] = {TestModule::cpuBenchmark, TestModule::gpuBenchmark, TestModule::display};
    BenchmarkSession session = BenchmarkSession::start(specs, plan);
    session.markCompleted(TestModule::cpuBenchmark, ModuleStatus::passed, session.startedAt);
    session.inProgress = TestModule::gpuBenchmark;
    session.scores["cpu_multi"] = 1234.5;
    session.results = scoredReport();
    return session;
}

// A run measured now laid over the stored report.
ReportSave saveRun(const ResultStore& store, const FinalBenchmarkReport& run, FinalBenchmarkReport& shown) {
    const MeasuredRun measured{run, run.completedAt};
    return store.saveRun(std::span(&measured, 1), shown);
}

void wholeSeconds(BenchmarkSession& session) {
    session.startedAt = wholeSecond(session.startedAt);
    session.timestamp = wholeSecond(session.timestamp);
    session.results.completedAt = wholeSecond(session.results.completedAt);
}

} // namespace

TEST(ResultStore, EmptyOrMissingFolderHoldsNothingAndLoadingCreatesNothing) {
    TemporaryFolder folder;
    const ResultStore store(folder / "app" / "data");
    EXPECT_EQ(store.loadReport(), std::nullopt);
    EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt);
    EXPECT_EQ(store.loadStorageResult(), std::nullopt);
    store.clearSession();
    EXPECT_FALSE(fs::exists(folder / "app"));

    EXPECT_TRUE(store.saveReport(scoredReport()).saved());
    EXPECT_EQ(store.loadReport(), scoredReport());

    // Without a folder nothing is read or written anywhere, and no save claims it was. This
    // machine has a home folder, so the reason names the app folder, not a missing home.
    const ResultStore homeless(std::nullopt);
    EXPECT_EQ(homeless.saveReport(scoredReport()),
              (SaveResult{SaveResult::Problem::other,
                          AppPaths::applicationSupport()->string() + " couldn't be used as a private folder of this user's",
                          "last-report.json"}));
    EXPECT_FALSE(homeless.saveStorageResult({}).saved());
    EXPECT_FALSE(homeless.saveSession(unfinishedSession(thisMachine), thisMachine).saved());
    EXPECT_EQ(homeless.loadReport(), std::nullopt);
    EXPECT_EQ(homeless.loadStorageResult(), std::nullopt);
}

TEST(ResultStore, WritesSortedPrettyWholeSecondJsonThatRepeatsByteForByte) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    FinalBenchmarkReport report;
    report.completedAt = wholeSecond(report.completedAt) + std::chrono::milliseconds(750);
    store.saveReport(report);
    const auto first = readWholeFile(folder / "last-report.json");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "{\n  \"cameraBypassed\": false,\n  \"completedAt\": \"" + iso8601(report.completedAt) +
                          "\",\n  \"overallScore\": 0.0\n}\n");
    store.saveReport(report);
    EXPECT_EQ(readWholeFile(folder / "last-report.json"), first);
    EXPECT_EQ(store.loadReport()->completedAt, wholeSecond(report.completedAt));
}

TEST(ResultStore, StaleCpuResultIsDroppedRescoredAndWrittenBackOnce) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "last-report.json";
    writeRaw(file, jsonfile::encode(withOldCpuResult(scoredReport().toJson())));

    const auto loaded = store.loadReport();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->cpuResult, std::nullopt);
    EXPECT_DOUBLE_EQ(loaded->overallScore, 70.0);
    EXPECT_EQ(loaded->displayResult, scoredReport().displayResult);
    const auto rewritten = readWholeFile(file);
    EXPECT_EQ(rewritten, jsonfile::encode(loaded->toJson()));
    EXPECT_EQ(store.loadReport(), loaded);
    EXPECT_EQ(readWholeFile(file), rewritten);
}

// The command line reads the report (for its CSV file) while the window may save a new one:
// the rewrite of a stale report never replaces the newer one.
TEST(ResultStore, ARewriteNeverReplacesAReportSavedMeanwhileByAnotherProcess) {
    TemporaryFolder folder;
    const fs::path file = folder / "last-report.json";
    FinalBenchmarkReport newer = scoredReport();
    newer.overallScore = 12;
    int newerKept = 0;
    for (int round = 0; round < 10; ++round) {
        writeRaw(file, jsonfile::encode(withOldCpuResult(scoredReport().toJson())));
        zantiva::testing::WritersAtOnce both;
        both.start([&] { return [&] { return ResultStore(folder.path()).loadReport().has_value(); }; });
        both.start([&] { return [&] { return ResultStore(folder.path()).saveReport(newer).saved(); }; });
        EXPECT_EQ(both.release(), 2);
        if (readWholeFile(file) == jsonfile::encode(newer.toJson())) ++newerKept;
    }
    EXPECT_EQ(newerKept, 10);
}

// An older version never destroys what a later one stored: it reads what it can, leaves the
// later CPU result out of its own score, and only a save of its own replaces the file, once
// the file is kept aside.
TEST(ResultStore, ALaterVersionsReportIsReadWithoutItsCpuResultAndKeptAsideBeforeASave) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "last-report.json";
    const std::string written = jsonfile::encode(laterVersionReport());
    writeRaw(file, written);

    SaveResult rewrite = SaveResult::failed("not tried", "not tried");
    const auto loaded = store.loadReport(&rewrite);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->cpuResult, std::nullopt);
    EXPECT_DOUBLE_EQ(loaded->overallScore, 70.0) << "the later score can't be compared under this version's rules";
    EXPECT_EQ(loaded->displayResult, scoredReport().displayResult);
    EXPECT_EQ(rewrite.file, "not tried");
    EXPECT_EQ(readWholeFile(file), written);

    FinalBenchmarkReport run;
    run.specs = thisMachine;
    run.gpuResult = GpuBenchmarkResult{.score = 120};
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(store.saveReport(run).saved());
    const std::string logged = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(readWholeFile(folder / "last-report.json.bad"), written);
    EXPECT_NE(logged.find("last-report.json (it holds a CPU result of a later scoring version) kept as "
                          "last-report.json.bad"),
              std::string::npos)
        << logged;
    const auto saved = jsonfile::load(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->at("thermalResult"), laterVersionReport()["thermalResult"]) << "a key it doesn't know stays";
    EXPECT_FALSE(saved->contains("cpuResult"));
    EXPECT_EQ(store.loadReport()->gpuResult, run.gpuResult);

    // The file is this version's now: the next save keeps nothing more aside.
    ASSERT_TRUE(store.saveReport(run).saved());
    EXPECT_FALSE(fs::exists(folder / "last-report.json.bad.1"));
}

// Two windows on one folder: each lays its run over the report as stored when it saves, so
// neither wipes what the other stored; a report of another machine lends nothing.
TEST(ResultStore, ARunIsLaidOverWhatAnotherProcessStoredMeanwhile) {
    TemporaryFolder folder;
    const ResultStore window(folder.path());
    const ResultStore other(folder.path());
    FinalBenchmarkReport shown{.specs = thisMachine, .audioPassed = true};
    ASSERT_TRUE(window.saveReport(shown).saved());

    FinalBenchmarkReport elsewhere = shown;
    ASSERT_TRUE(saveRun(other, {.specs = thisMachine, .gpuResult = GpuBenchmarkResult{.score = 120}}, elsewhere).saved());
    ASSERT_TRUE(saveRun(window, {.specs = thisMachine, .inputPassed = true}, shown).saved());
    EXPECT_EQ(shown.gpuResult, elsewhere.gpuResult);
    EXPECT_EQ(shown.audioPassed, true);
    EXPECT_EQ(shown.inputPassed, true);
    EXPECT_EQ(window.loadReport()->toJson(), shown.toJson());

    ASSERT_TRUE(other.saveReport({.specs = machine("ThinkPad X1 Carbon", "AMD Ryzen 7 7840U"), .audioPassed = false})
                    .saved());
    ASSERT_TRUE(saveRun(window, {.specs = thisMachine, .inputPassed = true}, shown).saved());
    EXPECT_EQ(shown.audioPassed, std::nullopt);
    EXPECT_EQ(shown.gpuResult, std::nullopt);
    EXPECT_EQ(window.loadReport()->toJson(), shown.toJson());
}

TEST(ResultStore, AFailedRewriteOrRemovalIsAnswered) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    fs::create_directories(folder / "benchmark-session.json" / "inside");
    const SaveResult removed = store.clearSession();
    EXPECT_EQ(removed.file, folder / "benchmark-session.json");
    EXPECT_FALSE(removed.saved());

    const zantiva::testing::FullDisk disk(folder.path());
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    writeRaw(folder / "last-report.json", jsonfile::encode(withOldCpuResult(scoredReport().toJson())));
    disk.fill();
    SaveResult rewritten;
    EXPECT_DOUBLE_EQ(store.loadReport(&rewritten)->overallScore, 70.0) << "read all the same";
    EXPECT_EQ(rewritten.problem, SaveResult::Problem::diskFull);
}

TEST(ResultStore, OldCpuResultOfAnyShapeCannotSpoilTheReport) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    json::Json stored = scoredReport().toJson();
    stored["cpuResult"] = {{"scoringVersion", 1}, {"legacyScore", "fast"}};
    writeRaw(folder / "last-report.json", jsonfile::encode(stored));
    auto loaded = store.loadReport();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->displayResult, scoredReport().displayResult);
    EXPECT_EQ(loaded->cpuResult, std::nullopt);

    stored["cpuResult"] = {{"score", 900}}; // written before results carried a version
    writeRaw(folder / "last-report.json", jsonfile::encode(stored));
    loaded = store.loadReport();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->cpuResult, std::nullopt);

    // A current-version result that is damaged still fails the report, which stays as it is.
    stored["cpuResult"] = {{"scoringVersion", 3}};
    const std::string damaged = jsonfile::encode(stored);
    writeRaw(folder / "last-report.json", damaged);
    EXPECT_EQ(store.loadReport(), std::nullopt);
    EXPECT_EQ(readWholeFile(folder / "last-report.json"), damaged);
}

TEST(ResultStore, UnreadableReportIsKeptAsideInsteadOfOverwritten) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    writeRaw(folder / "last-report.json", "{\"completedAt\": tru");
    EXPECT_EQ(store.loadReport(), std::nullopt);
    EXPECT_EQ(readWholeFile(folder / "last-report.json"), "{\"completedAt\": tru");

    store.saveReport(scoredReport());
    EXPECT_EQ(readWholeFile(folder / "last-report.json.bad"), "{\"completedAt\": tru");
    EXPECT_EQ(store.loadReport(), scoredReport());

    // A readable report is simply replaced, and the kept file stays as it was.
    FinalBenchmarkReport next;
    next.completedAt = wholeSecond(next.completedAt);
    store.saveReport(next);
    EXPECT_EQ(store.loadReport(), next);
    EXPECT_EQ(readWholeFile(folder / "last-report.json.bad"), "{\"completedAt\": tru");
}

// A key nested deeper than any record (a damaged or crafted file) would be written back by a
// copy and a write that recurse as deep, past the stack: the file counts as undecodable.
TEST(ResultStore, AReportNestedDeeperThanAnyRecordIsKeptAsideNotWrittenBack) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    std::string text = scoredReport().toJson().dump();
    text.insert(1, "\"deep\": " + zantiva::testing::deeplyNestedJson() + ", ");
    writeRaw(folder / "last-report.json", text);
    EXPECT_EQ(store.loadReport(), std::nullopt);

    FinalBenchmarkReport shown = scoredReport();
    ASSERT_TRUE(saveRun(store, {.specs = thisMachine, .audioPassed = true}, shown).saved());
    EXPECT_EQ(readWholeFile(folder / "last-report.json.bad"), text);
    EXPECT_EQ(store.loadReport()->toJson(), shown.toJson());
}

TEST(ResultStore, EveryFileThatCantBeDecodedIsKeptAsideBeforeItIsReplaced) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    writeRaw(folder / "benchmark-session.json", "{\"sessionID\": 1}");
    store.saveSession(unfinishedSession(thisMachine), thisMachine);
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json.bad"), "{\"sessionID\": 1}");
    EXPECT_TRUE(store.loadResumableSession(thisMachine));

    // Nor does a FIFO in a file's place hold up a reader; it is kept aside too.
    const fs::path storage = folder / "last-ssd-result.json";
    zantiva::testing::makeFifo(storage);
    EXPECT_EQ(zantiva::testing::withoutBlockingOn(storage, [&] { return store.loadStorageResult(); }), std::nullopt);
    StorageBenchmarkResult result;
    result.completedAt = wholeSecond(result.completedAt);
    zantiva::testing::withoutBlockingOn(storage, [&] { store.saveStorageResult(result); });
    EXPECT_TRUE(fs::is_fifo(folder / "last-ssd-result.json.bad"));
    EXPECT_EQ(store.loadStorageResult(), result);
}

TEST(ResultStore, SessionOfThisMachineResumesAsStoredWithStaleCpuDroppedInMemoryOnly) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    BenchmarkSession session = unfinishedSession(thisMachine);
    const Date fractional = session.startedAt;
    store.saveSession(session, thisMachine);
    wholeSeconds(session);
    // Same model and CPU, written differently; GPU and maker don't count.
    SystemSpecs here = machine("thinkpad x1 carbon ", "\tINTEL CORE I7-1165G7");
    here.gpuName = "another GPU";
    EXPECT_EQ(store.loadResumableSession(here), session);
    EXPECT_EQ(store.loadResumableSession(here)->startedAt, wholeSecond(fractional));

    json::Json stored = session.toJson();
    stored["results"] = withOldCpuResult(stored["results"]);
    const std::string text = jsonfile::encode(stored);
    writeRaw(folder / "benchmark-session.json", text);
    const auto loaded = store.loadResumableSession(thisMachine);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->results.cpuResult, std::nullopt);
    EXPECT_DOUBLE_EQ(loaded->results.overallScore, 70.0);
    EXPECT_EQ(loaded->sessionID, session.sessionID);
    EXPECT_EQ(loaded->scores, session.scores);
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json"), text);
    // The CPU step whose result was dropped is among those to run again, and no longer done.
    EXPECT_EQ(loaded->remainingModules(), session.plannedSteps);
    EXPECT_TRUE(loaded->completedSteps.empty());
    EXPECT_EQ(loaded->stepStatus.count("cpu"), 0U);
}

// A session of a later form or scoring is read as this version's and written as this
// version's; the removal at a run's end takes only the session of that run.
TEST(ResultStore, ASessionIsSavedInThisVersionsFormAndClearedOnlyByItsOwnRun) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "benchmark-session.json";
    json::Json later = unfinishedSession(thisMachine).toJson();
    later["schema_version"] = 2;
    later["thermal_steps"] = json::Json::array({"cpu"});
    writeRaw(file, jsonfile::encode(later));
    const auto loaded = store.loadResumableSession(thisMachine);
    ASSERT_TRUE(loaded);
    ASSERT_TRUE(store.saveSession(*loaded, thisMachine).saved());
    EXPECT_EQ(jsonfile::load(file)->at("schema_version"), 1);

    // One holding a later version's CPU result runs that step again, and is kept aside first.
    json::Json laterCpu = loaded->toJson();
    laterCpu["results"] = laterVersionReport();
    const std::string written = jsonfile::encode(laterCpu);
    writeRaw(file, written);
    const auto resumed = store.loadResumableSession(thisMachine);
    ASSERT_TRUE(resumed);
    EXPECT_EQ(resumed->remainingModules(), resumed->plannedSteps);
    ASSERT_TRUE(store.saveSession(*resumed, thisMachine).saved());
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json.bad"), written);

    EXPECT_TRUE(store.clearSession("0123456789abcdef0123456789abcdef").saved());
    EXPECT_TRUE(fs::exists(file)) << "another run's session stays";
    EXPECT_TRUE(store.clearSession(loaded->sessionID).saved());
    EXPECT_FALSE(fs::exists(file));
}

// The removal at a run's end looks at the file and removes it under the lock that another
// process's save of its new session holds: that session is never removed in between.
TEST(ResultStore, ARunsEndNeverRemovesASessionSavedByAnotherProcessMeanwhile) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "benchmark-session.json";
    const BenchmarkSession ended = unfinishedSession(thisMachine), begun = unfinishedSession(thisMachine);
    ASSERT_TRUE(store.saveSession(ended, thisMachine).saved());

    // The other process holds the lock (its own open file, as another process would) and
    // saves its session while `clear` waits for it.
    const auto savedMeanwhile = [&](const std::function<void()>& clear) {
        zantiva::testing::HeldLock held(file);
        EXPECT_TRUE(held.held());
        auto clearing = std::async(std::launch::async, clear);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const bool stayed = fs::exists(file);
        writeRaw(file, jsonfile::encode(begun.toJson()));
        held.release();
        clearing.get();
        const auto stored = jsonfile::load(file);
        return stayed && stored && stored->at("session_id") == begun.sessionID;
    };
    EXPECT_TRUE(savedMeanwhile([&] { EXPECT_TRUE(store.clearSession(ended.sessionID).saved()); }));

    // Nor does a start that finds a finished session remove the one saved after it looked.
    BenchmarkSession finished = ended;
    for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, finished.timestamp);
    ASSERT_TRUE(store.saveSession(finished, thisMachine).saved());
    EXPECT_TRUE(savedMeanwhile([&] { EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt); }));
}

TEST(ResultStore, FinishedOrForeignSessionIsDeletedButUndecidableOneIsKept) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "benchmark-session.json";

    BenchmarkSession finished = unfinishedSession(thisMachine);
    for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, finished.timestamp);
    store.saveSession(finished, thisMachine);
    EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt);
    EXPECT_FALSE(fs::exists(file));

    const BenchmarkSession foreign = unfinishedSession(machine("ThinkPad X1 Carbon", "AMD Ryzen 7 7840U"));
    store.saveSession(foreign, thisMachine);
    EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json.bad"), jsonfile::encode(foreign.toJson()))
        << "kept aside: it may be the only copy of that machine's run";

    // This machine's probe failed: nothing is offered, nothing is lost.
    store.saveSession(unfinishedSession(thisMachine), thisMachine);
    EXPECT_EQ(store.loadResumableSession(machine("Unknown", "Intel Core i7-1165G7")), std::nullopt);
    EXPECT_EQ(store.loadResumableSession(machine("ThinkPad X1 Carbon", "  ")), std::nullopt);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(store.loadResumableSession(thisMachine));

    writeRaw(file, "not json");
    EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt);
    EXPECT_EQ(readWholeFile(file), "not json");

    store.clearSession();
    EXPECT_FALSE(fs::exists(file));
    store.clearSession();
}

// A run cut short between its session's last save and the report's: the next start that can
// save the report lays the finished session over it, then removes it; a start that can't (a
// full disk) keeps the session.
TEST(ResultStore, AFinishedSessionFoundAtStartIsLaidOverTheReportBeforeItGoes) {
    TemporaryFolder folder;
    const zantiva::testing::FullDisk disk(folder.path()); // where it can be mounted
    const ResultStore store(folder.path());
    const fs::path session = folder / "benchmark-session.json";
    const Date ranAt = *parseIso8601("2026-12-07T10:00:00Z");
    FinalBenchmarkReport earlier{.specs = thisMachine, .audioPassed = true};
    earlier.completedAt = ranAt - std::chrono::hours(24);
    ASSERT_TRUE(store.saveReport(earlier).saved());
    BenchmarkSession finished = unfinishedSession(thisMachine);
    for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, ranAt);
    finished.results.gpuResult = GpuBenchmarkResult{.score = 120};
    wholeSeconds(finished);
    ASSERT_TRUE(store.saveSession(finished, thisMachine).saved());

    bool laid = true;
    if (disk.mounted()) {
        disk.fill();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(store.loadResumableSession(thisMachine, &laid), std::nullopt);
        const std::string logged = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(laid);
        EXPECT_TRUE(fs::exists(session));
        EXPECT_NE(logged.find("the results of the finished run " + finished.sessionID +
                              " couldn't be laid over last-report.json and stay in benchmark-session.json"),
                  std::string::npos)
            << logged;
        fs::remove(folder / "filler");
    }
    EXPECT_EQ(store.loadResumableSession(thisMachine, &laid), std::nullopt);
    EXPECT_TRUE(laid);
    EXPECT_FALSE(fs::exists(session));
    const auto report = store.loadReport();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->gpuResult, finished.results.gpuResult);
    EXPECT_EQ(report->audioPassed, true) << "what the run didn't measure stays";
    EXPECT_EQ(report->completedAt, ranAt);
}

// A session's save replaces only the session the file holds itself. Any other is laid over the
// report first (this machine's, finished) or kept aside (another machine's, one whose machine
// can't be told, one holding a later version's result); this machine's interrupted run gives way
// to the new one. Where the other can't be kept aside, the save fails and leaves it whole.
TEST(ResultStore, ASessionsSaveReplacesOnlyTheSessionItHolds) {
    const SystemSpecs unknownModel = machine("Unknown", thisMachine.cpuName);
    const auto finished = [](BenchmarkSession session) {
        for (TestModule m : session.plannedSteps) session.markCompleted(m, ModuleStatus::passed, session.timestamp);
        session.results.gpuResult = GpuBenchmarkResult{.score = 120};
        return session;
    };
    const auto laterCpu = [](const BenchmarkSession& session) {
        json::Json j = session.toJson();
        j["results"]["cpuResult"] = laterVersionReport()["cpuResult"];
        return j;
    };
    struct Case {
        const char* name;
        json::Json stored;
        SystemSpecs here;
        bool keptAside;
        bool laidOver;
    };
    const Case cases[] = {
        {"another machine's", unfinishedSession(machine("ThinkPad X1 Carbon", "AMD Ryzen 7 7840U")).toJson(),
         thisMachine, true, false},
        {"another machine's, finished", finished(unfinishedSession(machine("Latitude 7440", thisMachine.cpuName))).toJson(),
         thisMachine, true, false},
        {"a machine that can't be told", unfinishedSession(thisMachine).toJson(), unknownModel, true, false},
        {"a later version's result", laterCpu(unfinishedSession(thisMachine)), thisMachine, true, false},
        {"this machine's finished run", finished(unfinishedSession(thisMachine)).toJson(), thisMachine, false, true},
        {"a finished run with a later version's result", laterCpu(finished(unfinishedSession(thisMachine))),
         thisMachine, true, true},
        {"this machine's interrupted run", unfinishedSession(thisMachine).toJson(), thisMachine, false, false},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        const ResultStore store(folder.path());
        const fs::path file = folder / "benchmark-session.json";
        const std::string text = jsonfile::encode(c.stored);
        writeRaw(file, text);
        const BenchmarkSession run = BenchmarkSession::start(c.here, TestPlans::ramOnly);
        const SessionSave saved = store.saveSession(run, c.here);
        ASSERT_TRUE(saved.saved()) << c.name;
        EXPECT_EQ(jsonfile::load(file)->at("session_id"), run.sessionID) << c.name;
        const fs::path bad = folder / "benchmark-session.json.bad";
        EXPECT_EQ(fs::exists(bad), c.keptAside) << c.name;
        EXPECT_TRUE(!c.keptAside || readWholeFile(bad) == text) << c.name;
        EXPECT_EQ(saved.reportChanged, c.laidOver) << c.name;
        const auto report = store.loadReport();
        EXPECT_EQ(report && report->gpuResult, c.laidOver) << c.name;
        if (report) EXPECT_FALSE(report->cpuResult && report->cpuResult->score == 99999) << c.name << ": a later version's isn't this one's";
    }

    // Every name a file is kept aside under is taken: the other machine's session stays whole.
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const std::string foreign = jsonfile::encode(cases[0].stored);
    writeRaw(folder / "benchmark-session.json", foreign);
    writeRaw(folder / "benchmark-session.json.bad", "");
    for (int n = 1; n <= 999; ++n) writeRaw(folder / ("benchmark-session.json.bad." + std::to_string(n)), "");
    const SessionSave refused = store.saveSession(BenchmarkSession::start(thisMachine, TestPlans::ramOnly), thisMachine);
    EXPECT_FALSE(refused.saved());
    EXPECT_EQ(refused.standing, StandingSession::otherRun);
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json"), foreign);
    // The refusal says once that the file couldn't be kept aside, then the system's reason.
    const std::string told = runNotBegunNotice(refused).resolved(AppLanguage::english);
    const std::string keptAside = "couldn't be kept aside: ";
    const auto first = told.find(keptAside);
    EXPECT_NE(first, std::string::npos) << told;
    EXPECT_EQ(told.find(keptAside, first + 1), std::string::npos) << told;
    EXPECT_EQ(refused.result.reason, std::make_error_code(std::errc::file_exists).message());
}

// A finished run whose report couldn't be saved stays in the session file; a report saved since
// (a later run's) holds newer results. Laid over at start or at a new run's first save alike,
// the run replaces only results older than itself and fills in the tests the report lacks; what
// went in and what stayed is what the log names.
TEST(ResultStore, AFinishedRunLaidOverNeverReplacesANewerResultOfTheSameTest) {
    using namespace std::chrono_literals;
    using Keys = std::vector<std::string>;
    const Date ranAt = *parseIso8601("2026-12-07T07:25:00Z");
    const MemoryTestResult older{.testedBytes = 1 << 20, .averageReadThroughputMBps = 33333};
    const MemoryTestResult newer{.testedBytes = 1 << 20, .averageReadThroughputMBps = 44444};
    struct Case {
        const char* name;
        Date reportAt;
        const MemoryTestResult& memory; // what the report holds after
        Keys laidOver, kept;
    };
    const Case cases[] = {
        {"a report older than the run", ranAt - 1h, older, {"gpuResult", "memoryResult"}, {}},
        {"a report saved after the run", ranAt + 15min, newer, {"gpuResult"}, {"memoryResult"}},
        {"a report saved in the run's second", ranAt, newer, {"gpuResult"}, {"memoryResult"}},
    };
    for (const Case& c : cases) {
        FinalBenchmarkReport saved{.specs = thisMachine, .memoryResult = newer, .audioPassed = true};
        saved.completedAt = c.reportAt;
        BenchmarkSession finished = BenchmarkSession::start(thisMachine, TestPlans::performance);
        for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, ranAt);
        finished.results.memoryResult = older;
        finished.results.gpuResult = GpuBenchmarkResult{.score = 120};
        FinalBenchmarkReport run = finished.results;
        run.completedAt = ranAt;
        const RunLayOver laid = layRunOver(saved, {run, ranAt});
        EXPECT_EQ(laid.laidOver, c.laidOver) << c.name;
        EXPECT_EQ(laid.kept, c.kept) << c.name;

        for (const bool atStart : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (atStart ? ", at start" : ", at a new run's first save"));
            TemporaryFolder folder;
            const ResultStore store(folder.path());
            ASSERT_TRUE(store.saveReport(saved).saved());
            writeRaw(folder / "benchmark-session.json", jsonfile::encode(finished.toJson()));
            if (atStart)
                EXPECT_EQ(store.loadResumableSession(thisMachine), std::nullopt);
            else
                ASSERT_TRUE(store.saveSession(BenchmarkSession::start(thisMachine, TestPlans::ramOnly), thisMachine).saved());
            const auto report = store.loadReport();
            ASSERT_TRUE(report);
            EXPECT_EQ(report->memoryResult, c.memory);
            EXPECT_EQ(report->gpuResult, finished.results.gpuResult) << "a test the report lacked is filled in";
            EXPECT_EQ(report->audioPassed, true);
            EXPECT_EQ(report->completedAt, std::max(c.reportAt, ranAt));
        }
    }
}

// The files of results kept beside the report, by name.
std::vector<fs::path> keptBeside(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("last-report.kept-")) files.push_back(entry.path());
    std::ranges::sort(files);
    return files;
}

// A finished run kept in the session file meets a report whose time can't be trusted against it:
// saved while the clock was ahead and then set right, or the run made while the clock stood years
// behind (a dead clock battery), or both in one second. Which result is newer can't be known, so
// the report keeps its own and the run's is kept beside it, in a file named with the run's time
// that no later one replaces, at start or at a new run's first save alike; the log says where.
TEST(ResultStore, AKeptRunWhoseTimeCantBeTrustedAgainstTheReportIsKeptBesideIt) {
    using namespace std::chrono_literals;
    const Date now = wholeSecond(std::chrono::system_clock::now());
    const MemoryTestResult reported{.testedBytes = 1 << 20, .averageReadThroughputMBps = 44444};
    const MemoryTestResult ran{.testedBytes = 1 << 20, .averageReadThroughputMBps = 33333};
    struct Case {
        const char* name;
        Date reportAt, runAt;
    };
    const Date deadBattery = *parseIso8601("2019-06-01T07:21:00Z");
    const Case cases[] = {
        {"the report saved 3 minutes ahead", now + 3min, now},
        {"the report saved an hour ahead", now + 1h, now},
        {"the report saved two days ahead", now + 48h, now},
        {"the run made in 2019", now - 24h, deadBattery},
        {"both in one second", now, now},
    };
    for (const Case& c : cases) {
        for (const bool atStart : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (atStart ? ", at start" : ", at a new run's first save"));
            TemporaryFolder folder;
            const ResultStore store(folder.path());
            FinalBenchmarkReport report{.specs = thisMachine, .memoryResult = reported, .audioPassed = true};
            report.completedAt = c.reportAt;
            ASSERT_TRUE(store.saveReport(report).saved());
            std::vector<fs::path> told;
            for (int kept = 0; kept < 2; ++kept) {
                BenchmarkSession finished = BenchmarkSession::start(thisMachine, TestPlans::ramOnly);
                finished.startedAt = c.runAt - 1min;
                finished.markCompleted(TestModule::ramTest, ModuleStatus::passed, c.runAt);
                finished.results.memoryResult = ran;
                writeRaw(folder / "benchmark-session.json", jsonfile::encode(finished.toJson()));
                ::testing::internal::CaptureStderr();
                std::vector<fs::path> keptAside;
                if (atStart) {
                    EXPECT_EQ(store.loadResumableSession(thisMachine, nullptr, &keptAside), std::nullopt);
                } else {
                    const SessionSave saved =
                        store.saveSession(BenchmarkSession::start(thisMachine, TestPlans::cpuOnly), thisMachine);
                    ASSERT_TRUE(saved.saved());
                    keptAside = saved.keptAside;
                }
                const std::string logged = ::testing::internal::GetCapturedStderr();
                if (atStart) EXPECT_FALSE(fs::exists(folder / "benchmark-session.json"));
                ASSERT_EQ(keptAside.size(), 1u);
                told.push_back(keptAside.front());
                EXPECT_NE(logged.find("the run's were kept in " + keptAside.front().string()), std::string::npos) << logged;
            }
            EXPECT_EQ(store.loadReport()->memoryResult, reported) << "not replaced by one not known to be newer";
            std::ranges::sort(told);
            EXPECT_EQ(keptBeside(folder.path()), told) << "the second kept beside the first, replacing nothing";
            std::string time = iso8601(c.runAt);
            std::erase_if(time, [](char ch) { return ch == '-' || ch == ':'; });
            EXPECT_EQ(told.back().filename(), "last-report.kept-" + time + ".json");
            EXPECT_EQ(told.front().filename(), "last-report.kept-" + time + ".1.json");
            for (const fs::path& file : told) {
                const auto aside = FinalBenchmarkReport::fromJson(*jsonfile::load(file));
                EXPECT_EQ(aside.memoryResult, ran);
                EXPECT_EQ(aside.specs, thisMachine);
                EXPECT_EQ(aside.completedAt, c.runAt);
                EXPECT_EQ(aside.audioPassed, std::nullopt) << "only what the report didn't take";
            }
            for (const auto& entry : fs::directory_iterator(folder.path()))
                EXPECT_FALSE(entry.path().filename().string().starts_with(".last-report.kept")) << entry.path();
        }
    }
}

// A run just measured meets a report saved while the clock was two days ahead: its result stands
// (the report's, which may be newer, is kept beside it) and sets the report's time right, so the
// next run's result replaces that one as usual. A run measured a while ago (one whose report
// couldn't be saved then) leaves the report's result and is kept beside it instead.
TEST(ResultStore, ARunJustMeasuredStandsOverAReportOfAClockSetAheadWhichIsKeptBesideIt) {
    using namespace std::chrono_literals;
    const Date now = wholeSecond(std::chrono::system_clock::now());
    const MemoryTestResult ahead{.testedBytes = 1 << 20, .averageReadThroughputMBps = 44444};
    const MemoryTestResult ran{.testedBytes = 1 << 20, .averageReadThroughputMBps = 33333};
    for (const bool justMeasured : {true, false}) {
        SCOPED_TRACE(justMeasured ? "just measured" : "measured a while ago");
        TemporaryFolder folder;
        const ResultStore store(folder.path());
        FinalBenchmarkReport report{.specs = thisMachine, .memoryResult = ahead};
        report.completedAt = now + 48h;
        ASSERT_TRUE(store.saveReport(report).saved());
        FinalBenchmarkReport run{.specs = thisMachine, .memoryResult = ran};
        run.completedAt = now;
        const MeasuredRun measured{run, now - 1min, justMeasured};
        FinalBenchmarkReport shown = report;
        const ReportSave saved = store.saveRun(std::span(&measured, 1), shown);
        ASSERT_TRUE(saved.saved());
        ASSERT_EQ(saved.keptAside, keptBeside(folder.path()));
        ASSERT_EQ(saved.keptAside.size(), 1u);
        const FinalBenchmarkReport kept = FinalBenchmarkReport::fromJson(*jsonfile::load(saved.keptAside[0]));
        const auto stored = store.loadReport();
        EXPECT_EQ(stored->memoryResult, justMeasured ? ran : ahead);
        EXPECT_EQ(kept.memoryResult, justMeasured ? ahead : ran);
        EXPECT_EQ(kept.completedAt, justMeasured ? now + 48h : now);
        EXPECT_EQ(stored->completedAt, justMeasured ? now : now + 48h);
        EXPECT_EQ(shown, *stored);
    }
}

// A session's save that can't take the file's lock (another process holds it past the save's
// patience) can't look at what the file holds: where a file stands it says so, and the file
// and the report are left as they are.
TEST(ResultStore, ASessionsSaveThatCantLookAtTheFileSaysSo) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    const fs::path file = folder / "benchmark-session.json";
    zantiva::testing::HeldLock held(file);
    ASSERT_TRUE(held.held());
    const BenchmarkSession run = BenchmarkSession::start(thisMachine, TestPlans::ramOnly);

    const SessionSave nothingThere = store.saveSession(run, thisMachine);
    EXPECT_FALSE(nothingThere.saved());
    EXPECT_EQ(nothingThere.standing, StandingSession::none) << "no file: nothing stands to be lost";

    BenchmarkSession finished = unfinishedSession(thisMachine);
    for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, finished.timestamp);
    const std::string text = jsonfile::encode(finished.toJson());
    writeRaw(file, text);
    const SessionSave unlooked = store.saveSession(run, thisMachine);
    EXPECT_FALSE(unlooked.saved());
    EXPECT_EQ(unlooked.standing, StandingSession::unlooked);
    EXPECT_EQ(readWholeFile(file), text);
    EXPECT_FALSE(fs::exists(folder / "last-report.json"));
    EXPECT_EQ(runNotBegunNotice(unlooked),
              LocalizedMessage("Suite.NotBegun.Unlooked", file.string(),
                               "its lock is held by another process that hasn't let it go in 10 s"));
}

// A finished session holding a later version's CPU result, found at start: the rest is laid over
// the report, and the file, which alone holds that result, is kept aside rather than removed.
TEST(ResultStore, AFinishedSessionWithALaterVersionsResultIsKeptAsideOnceLaidOver) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    BenchmarkSession finished = unfinishedSession(thisMachine);
    for (TestModule m : finished.plannedSteps) finished.markCompleted(m, ModuleStatus::passed, finished.timestamp);
    json::Json stored = finished.toJson();
    stored["results"]["cpuResult"] = laterVersionReport()["cpuResult"];
    const std::string text = jsonfile::encode(stored);
    writeRaw(folder / "benchmark-session.json", text);

    bool laid = false;
    EXPECT_EQ(store.loadResumableSession(thisMachine, &laid), std::nullopt);
    EXPECT_TRUE(laid);
    EXPECT_FALSE(fs::exists(folder / "benchmark-session.json"));
    EXPECT_EQ(readWholeFile(folder / "benchmark-session.json.bad"), text);
    const auto report = store.loadReport();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->displayResult, scoredReport().displayResult);
    EXPECT_EQ(report->cpuResult, std::nullopt);
}

// A report a save would replace rather than extend (a restored folder of another machine, or
// one whose CPU differs where this machine's model isn't read) is kept aside first and lends
// the shown report nothing.
TEST(ResultStore, AStoredReportOfAnotherMachineIsKeptAsideBeforeARunReplacesIt) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    FinalBenchmarkReport restored = scoredReport();
    restored.specs = machine("ThinkPad X1 Carbon", "AMD Ryzen 7 7840U");
    const std::pair<SystemSpecs, const char*> runs[] = {{thisMachine, "last-report.json.bad"},
                                                        {machine("Unknown", "Intel Core i7-1165G7"), "last-report.json.bad.2"}};
    for (const auto& [specs, keptAs] : runs) {
        ASSERT_TRUE(store.saveReport(restored).saved());
        const auto written = readWholeFile(folder / "last-report.json");
        FinalBenchmarkReport shown = restored;
        ASSERT_TRUE(saveRun(store, {.specs = specs, .audioPassed = true}, shown).saved());
        EXPECT_EQ(readWholeFile(folder / keptAs), written) << keptAs;
        EXPECT_EQ(shown.cpuResult, std::nullopt) << keptAs;
    }

    // This machine's own report, whose model isn't read this time, is laid over, nothing lost.
    ASSERT_TRUE(store.saveReport(scoredReport()).saved());
    FinalBenchmarkReport shown;
    ASSERT_TRUE(saveRun(store, {.specs = machine("Unknown", thisMachine.cpuName), .audioPassed = true}, shown).saved());
    EXPECT_FALSE(fs::exists(folder / "last-report.json.bad.3"));
    EXPECT_EQ(shown.cpuResult, scoredReport().cpuResult);
}

TEST(ResultStore, StorageResultWithUndecodablePathBytesStillSaves) {
    TemporaryFolder folder;
    const ResultStore store(folder.path());
    StorageBenchmarkResult result;
    result.targetFolder = "/media/usb\xff\xfe";
    result.durationSeconds = 12.5;
    result.completedAt = wholeSecond(result.completedAt);
    store.saveStorageResult(result);

    const auto loaded = store.loadStorageResult();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->targetFolder, "/media/usb\xEF\xBF\xBD\xEF\xBF\xBD");
    result.targetFolder = loaded->targetFolder;
    EXPECT_EQ(*loaded, result);

    writeRaw(folder / "last-ssd-result.json", R"({"targetFolder": "/"})");
    EXPECT_EQ(store.loadStorageResult(), std::nullopt);
}

TEST(ResultStore, KeepsItsFilesToItsUserAndNeverWritesThroughALinkedFolder) {
    TemporaryFolder folder;
    const auto modeOf = [](const fs::path& path) { return fs::symlink_status(path).permissions(); };
    ResultStore(folder / "made").saveReport(scoredReport());
    EXPECT_EQ(modeOf(folder / "made"), fs::perms(0700));
    EXPECT_EQ(modeOf(folder / "made" / "last-report.json"), fs::perms(0600));

    // An older install's open folder is closed at the next save.
    fs::create_directory(folder / "older");
    fs::permissions(folder / "older", fs::perms(0755));
    ResultStore(folder / "older").saveStorageResult({});
    EXPECT_EQ(modeOf(folder / "older"), fs::perms(0700));

    fs::create_directory(folder / "elsewhere");
    fs::permissions(folder / "elsewhere", fs::perms(0755));
    fs::create_directory_symlink(folder / "elsewhere", folder / "link");
    const SaveResult refused = ResultStore(folder / "link").saveReport(scoredReport());
    EXPECT_EQ(refused.problem, SaveResult::Problem::other);
    EXPECT_EQ(refused.file, folder / "link" / "last-report.json");
    EXPECT_TRUE(fs::is_empty(folder / "elsewhere"));
    EXPECT_EQ(modeOf(folder / "elsewhere"), fs::perms(0755));

    // Nor is a damaged file there moved aside: the save is refused before it looks inside.
    writeRaw(folder / "elsewhere" / "last-report.json", "{");
    EXPECT_FALSE(ResultStore(folder / "link").saveReport(scoredReport()).saved());
    EXPECT_EQ(readWholeFile(folder / "elsewhere" / "last-report.json"), "{");
    EXPECT_FALSE(fs::exists(folder / "elsewhere" / "last-report.json.bad"));
}
