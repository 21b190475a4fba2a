// A run killed with SIGKILL leaves its last saved session behind, and the next start offers
// what it had done (resuming an offered session is the suite runner test's). The run is
// killed in a child process of this program.

#include <cstdlib>
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

// The child's part: a full run that stops at the display station, whose page never
// reports, until the parent kills the process.
TEST(SuiteChildProcess, RunsTheFullPlanUntilKilled) {
    const char* folder = std::getenv(childFolderVariable);
    if (!folder) GTEST_SKIP() << "runs only as the child of the kill test";
    const auto host = std::make_shared<TestHost>();
    TestSuiteRunner runner(ResultStore(std::filesystem::path(folder)), nullptr, tinyConfiguration());
    runner.setModel(host);
    runner.setDurationMinutes(0);
    runner.start(TestPlans::full);
    runUntil([] { return false; }, std::chrono::seconds(120));
    FAIL() << "not killed";
}

constexpr const char* handOverFolderVariable = "ZANTIVA_SUITE_HAND_OVER_FOLDER";

// The app model as a CPU run's end finds it: it saves the report, then the process is
// killed before the hand-over returns, between the run's last two saves.
class HangingHost : public TestHost {
public:
    explicit HangingHost(std::filesystem::path folder) : folder_(std::move(folder)) {}
    QCoro::Task<> completeRun(FinalBenchmarkReport report, bool) override {
        ResultStore(folder_).saveReport(report);
        runUntil([] { return false; }, std::chrono::seconds(120));
        co_return;
    }

private:
    std::filesystem::path folder_;
};

TEST(SuiteChildProcess, HandsOverACpuRunUntilKilled) {
    const char* folder = std::getenv(handOverFolderVariable);
    if (!folder) GTEST_SKIP() << "runs only as the child of the kill test";
    const auto host = std::make_shared<HangingHost>(folder);
    TestSuiteRunner runner(ResultStore(std::filesystem::path(folder)), nullptr, tinyConfiguration());
    runner.setModel(host);
    runner.setDurationMinutes(0);
    runner.start(TestPlans::cpuOnly);
    runUntil([] { return false; }, std::chrono::seconds(120));
    FAIL() << "not killed";
}

std::optional<BenchmarkSession> readableSession(const std::filesystem::path& folder) {
    try {
        return storedSession(folder);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

TEST(SuiteKill, AKilledRunLeavesASessionThatTheNextStartOffers) {
    TemporaryFolder folder;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(childFolderVariable, QString::fromStdString(folder.path().string()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SuiteChildProcess.RunsTheFullPlanUntilKilled"});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(runUntil([&] {
        const auto session = readableSession(folder.path());
        return session && session->inProgress == display;
    })) << child.readAll().toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

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
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(handOverFolderVariable, QString::fromStdString(folder.path().string()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SuiteChildProcess.HandsOverACpuRunUntilKilled"});
    ASSERT_TRUE(child.waitForStarted());
    const ResultStore store(folder.path());
    ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(folder / "last-report.json"); }))
        << child.readAll().toStdString();
    child.kill();
    ASSERT_TRUE(child.waitForFinished());

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
