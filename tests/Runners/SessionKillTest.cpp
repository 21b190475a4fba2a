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

} // namespace
} // namespace zantiva::testing
