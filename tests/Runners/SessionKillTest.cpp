// A run killed with SIGKILL leaves its last saved session behind, and the next start offers
// what it had done (resuming an offered session is the suite runner test's); killed as it
// ends, it loses nothing either. The run is killed in a child process of this program.

#include <cstdlib>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include "../Support/TemporaryFolder.h"
#include "Model/ResultStore.h"
#include "Model/TestPlans.h"
#include "SuiteTestSupport.h"
#include "Runners/TestSuiteRunner.h"

namespace zantiva::testing {
namespace {

using enum TestModule;

constexpr const char* childFolderVariable = "ZANTIVA_SUITE_CHILD_FOLDER";

// The child's run of the plan in the folder, reporting to the host, until the parent kills
// the process.
void runUntilKilled(const std::filesystem::path& folder, std::shared_ptr<TestHost> host,
                    const std::vector<TestModule>& plan) {
    TestSuiteRunner runner{ResultStore(folder), nullptr, tinyConfiguration()};
    runner.setModel(std::move(host));
    runner.setDurationMinutes(0);
    runner.start(plan);
    runUntil([] { return false; }, std::chrono::seconds(120));
    FAIL() << "not killed";
}

// The child's part: a full run that stops at the display station, whose page never
// reports, until the parent kills the process.
TEST(SuiteChildProcess, RunsTheFullPlanUntilKilled) {
    const char* folder = std::getenv(childFolderVariable);
    if (!folder) GTEST_SKIP() << "runs only as the child of the kill test";
    runUntilKilled(folder, std::make_shared<TestHost>(), TestPlans::full);
}

// The app model as a CPU run's end finds it: it saves the report, then the process is
// killed before the hand-over returns, between the run's last two saves.
class HangingHost : public TestHost {
public:
    explicit HangingHost(std::filesystem::path folder) : folder_(std::move(folder)) {}
    QCoro::Task<bool> completeRun(FinalBenchmarkReport report, bool, RunHandOver) override {
        ResultStore(folder_).saveReport(report);
        runUntil([] { return false; }, std::chrono::seconds(120));
        co_return true;
    }

private:
    std::filesystem::path folder_;
};

TEST(SuiteChildProcess, HandsOverACpuRunUntilKilled) {
    const char* folder = std::getenv(childFolderVariable);
    if (!folder) GTEST_SKIP() << "runs only as the child of the kill test";
    runUntilKilled(folder, std::make_shared<HangingHost>(folder), TestPlans::cpuOnly);
}

std::optional<BenchmarkSession> readableSession(const std::filesystem::path& folder) {
    try {
        return storedSession(folder);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Runs the child's test case on the folder and kills it with SIGKILL once `ready` holds.
::testing::AssertionResult killChildOnceReady(const char* childTest, const std::filesystem::path& folder,
                                              const std::function<bool()>& ready) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(childFolderVariable, QString::fromStdString(folder.string()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QString("--gtest_filter=") + childTest});
    if (!child.waitForStarted()) return ::testing::AssertionFailure() << "the child didn't start";
    if (!runUntil(ready)) return ::testing::AssertionFailure() << child.readAll().toStdString();
    child.kill();
    if (!child.waitForFinished() || child.exitStatus() != QProcess::CrashExit)
        return ::testing::AssertionFailure() << "the child wasn't killed";
    return ::testing::AssertionSuccess();
}

TEST(SuiteKill, AKilledRunLeavesASessionThatTheNextStartOffers) {
    TemporaryFolder folder;
    ASSERT_TRUE(killChildOnceReady("SuiteChildProcess.RunsTheFullPlanUntilKilled", folder.path(), [&] {
        const auto session = readableSession(folder.path());
        return session && session->inProgress == display;
    }));

    const ResultStore store(folder.path());
    const auto offered = store.loadResumableSession(sampleLaptopSpecs());
    ASSERT_TRUE(offered);
    EXPECT_EQ(offered->completedSteps, (std::vector{cpuBenchmark, gpuBenchmark, ramTest}));
    EXPECT_EQ(offered->remainingModules(), (std::vector{display, audio, micCamera, battery, input}));
    EXPECT_TRUE(offered->results.cpuResult);
    EXPECT_EQ(offered->scores.count("gpu"), 1U);
}

// Killed once the report is saved and before the session goes: the report holds the run,
// and the finished session the next start finds is removed without an offer.
TEST(SuiteKill, AKillBetweenTheLastSavesOfARunLosesNothing) {
    TemporaryFolder folder;
    ASSERT_TRUE(killChildOnceReady("SuiteChildProcess.HandsOverACpuRunUntilKilled", folder.path(),
                                   [&] { return std::filesystem::exists(folder / "last-report.json"); }));

    const ResultStore store(folder.path());
    const auto session = readableSession(folder.path());
    ASSERT_TRUE(session) << "the session goes only once the report is saved";
    EXPECT_FALSE(session->hasRemainingSteps());
    const auto report = store.loadReport();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->cpuResult, session->results.cpuResult);
    EXPECT_EQ(store.loadResumableSession(sampleLaptopSpecs()), std::nullopt);
    EXPECT_FALSE(readableSession(folder.path()));
}

} // namespace
} // namespace zantiva::testing
