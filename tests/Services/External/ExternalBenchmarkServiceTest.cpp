// The service runs our own synthetic tool scripts (tests/fixtures/outside-tools) as real
// child processes and reads their output.

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stop_token>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoro/QCoroTask>
#include <QTimer>

#include "Platform/CancelToken.h"
#include "External/ExternalBenchmarkError.h"
#include "External/ExternalBenchmarkLocator.h"
#include "External/ExternalBenchmarkService.h"
#include "External/ExternalBenchmarkStore.h"
#include "External/OutputLineSplitter.h"
#include "External/ProcessLauncher.h"
#include "../../Support/AwaitTask.h"
#include "../../Support/EnvironmentChange.h"
#include "../../Support/ProcessState.h"
#include "../../Support/TemporaryFolder.h"
#include "../../Support/ThrownBy.h"

namespace zantiva {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using Kind = ExternalBenchmarkError::Kind;

const std::filesystem::path tools = std::filesystem::path(ZANTIVA_FIXTURES) / "outside-tools";

struct Recorded {
    std::vector<std::string> lines;
    std::vector<ExternalBenchmarkProgress> progress;
};

class ServiceTest : public ::testing::Test {
protected:
    ExternalBenchmarkService service{std::make_shared<ProcessLauncher>(ZANTIVA_TOOL_GUARD), std::chrono::seconds(180),
                                     {}};
    Recorded recorded;

    ExternalBenchmarkService::ProgressHandler onProgress() {
        return [this](const ExternalBenchmarkProgress& p) { recorded.progress.push_back(p); };
    }
    ExternalBenchmarkService::ConsoleHandler onLine() {
        return [this](const std::string& line) { recorded.lines.push_back(line); };
    }

    GeekbenchRunOutcome geekbench(const std::string& tool, bool gpu = false, std::stop_token stop = {}) {
        ExternalBenchmarkInstallation installation{ExternalBenchmarkApp::geekbench, {}, (tools / tool).string(), "6.3.0", {}};
        return testing::awaitTask(service.runGeekbench(installation, tools / tool, gpu, onProgress(), onLine(), stop));
    }
    double cinebench(const std::string& tool, ExternalTestKind kind = ExternalTestKind::cpuSingleCore,
                     std::stop_token stop = {}) {
        ExternalBenchmarkInstallation installation{ExternalBenchmarkApp::cinebench2026, {}, (tools / tool).string(), {}, {}};
        return testing::awaitTask(service.runCinebench(installation, tools / tool, kind, onProgress(), onLine(), stop));
    }
};

constexpr auto errorOf = [](auto run) { return testing::thrownBy<ExternalBenchmarkError>(run); };

TEST_F(ServiceTest, GeekbenchScoresPrintedByTheToolAreTheOutcome) {
    const GeekbenchRunOutcome outcome = geekbench("geekbench-scores");
    const auto& result = std::get<ExternalBenchmarkResult>(outcome);
    EXPECT_EQ(result.singleCoreScore, 2345);
    EXPECT_EQ(result.multiCoreScore, 12345); // the grouped "12,345" line is not a number here
    EXPECT_FALSE(result.gpuScore);
    EXPECT_EQ(recorded.lines.front(), "Geekbench test tool, arguments: --cpu");
    ASSERT_EQ(recorded.progress.size(), 2u);
    EXPECT_EQ(recorded.progress[0].fraction, 0.25);
    EXPECT_EQ(recorded.progress[1].status, "Running Text Compression 75%");
}

TEST_F(ServiceTest, GeekbenchGpuScoreSkipsAnInfiniteScoreAndAnUploadGivesTheFirstResultAddress) {
    const GeekbenchRunOutcome gpu = geekbench("geekbench-gpu-scores", true);
    EXPECT_EQ(std::get<ExternalBenchmarkResult>(gpu).gpuScore, 79000.5);
    EXPECT_FALSE(std::get<ExternalBenchmarkResult>(gpu).singleCoreScore);
    const GeekbenchRunOutcome upload = geekbench("geekbench-upload");
    EXPECT_EQ(std::get<GeekbenchUpload>(upload).url, "https://browser.geekbench.com/v6/cpu/1234567");
}

TEST_F(ServiceTest, GeekbenchUploadFailureCarriesTheToolsLine) {
    const auto error = errorOf([&] { geekbench("geekbench-upload-failed"); });
    EXPECT_EQ(error.kind(), Kind::geekbenchUploadFailed);
    EXPECT_EQ(error.detail(), "Result upload failed: network unreachable");
}

TEST_F(ServiceTest, GeekbenchUploadThatOutlastsTheTimeoutIsStoppedAsFailed) {
    service.uploadTimeout = std::chrono::milliseconds(300);
    const auto started = std::chrono::steady_clock::now();
    const auto error = errorOf([&] { geekbench("geekbench-upload-hangs"); });
    EXPECT_EQ(error.kind(), Kind::geekbenchUploadFailed);
    EXPECT_EQ(error.detail(), "Uploading results to the result browser.");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)); // not the tool's 30 s
}

TEST_F(ServiceTest, FailuresWithoutScoreAreTyped) {
    auto exited = errorOf([&] { cinebench("tool-exits-3"); });
    EXPECT_EQ(exited.kind(), Kind::exited);
    EXPECT_EQ(exited.code(), 3);
    EXPECT_EQ(exited.name(), "Cinebench 2026");
    EXPECT_THAT(exited.output(), HasSubstr("boom: the tool broke"));

    EXPECT_EQ(errorOf([&] { geekbench("tool-unsupported"); }).kind(), Kind::unsupportedSystem);

    // Exit status 0 with only "inf" and 0 scores: nothing was measured.
    auto noScore = errorOf([&] { cinebench("cinebench-no-score"); });
    EXPECT_EQ(noScore.kind(), Kind::noScore);
    EXPECT_THAT(noScore.output(), HasSubstr("CB inf"));

    auto missing = errorOf([&] { cinebench("no-such-tool"); });
    EXPECT_EQ(missing.kind(), Kind::couldNotLaunch);
    EXPECT_FALSE(missing.reason().empty());
}

TEST_F(ServiceTest, TheOutputShownWithAFailureIsAFewLinesCutShort) {
    auto flooded = errorOf([&] { cinebench("tool-floods-and-exits-3"); });
    EXPECT_EQ(recorded.lines.size(), 30u) << "the console still gets every line whole";
    std::vector<std::string> kept;
    std::istringstream lines(flooded.output());
    for (std::string line; std::getline(lines, line);) kept.push_back(line);
    ASSERT_EQ(kept.size(), 10u);
    EXPECT_TRUE(kept.front().starts_with("20 000")) << "the last lines";
    EXPECT_TRUE(kept.back().starts_with("29 000"));
    for (const std::string& line : kept) EXPECT_EQ(line, line.substr(0, 3) + std::string(197, '0') + "\u2026");
}

TEST_F(ServiceTest, CinebenchGetsItsTestArgumentsAndGivesItsScore) {
    service.cinebenchExtraArguments = {"g_Extra=1"};
    EXPECT_EQ(cinebench("cinebench-score", ExternalTestKind::cpuMultiCore), 123.45);
    EXPECT_EQ(recorded.lines.front(), "arguments: g_CinebenchCpuXTest=true g_Extra=1");
    // Indeterminate from the start; its "Running" line is a status, never a fraction.
    ASSERT_GE(recorded.progress.size(), 2u);
    EXPECT_TRUE(recorded.progress[0].isIndeterminate);
    EXPECT_EQ(recorded.progress[1].status, "Running Single CPU Render Test...");
    for (const auto& p : recorded.progress) EXPECT_FALSE(p.fraction);
}

TEST_F(ServiceTest, ThousandsOfLinesAllReachTheConsoleInOrder) {
    EXPECT_EQ(cinebench("cinebench-many-lines"), 987.6);
    ASSERT_EQ(recorded.lines.size(), 5001u);
    EXPECT_EQ(recorded.lines[0], "render tile 0");
    EXPECT_EQ(recorded.lines[4999], "render tile 4999");
}

TEST_F(ServiceTest, CarriageReturnsSplitLinesAndStandardErrorIsKept) {
    EXPECT_EQ(cinebench("cinebench-carriage-returns"), 55.5);
    EXPECT_THAT(recorded.lines,
                IsSupersetOf({"Running render", "tile 1 of 2", "tile 2 of 2", "warning: slow tile", "CB 55.5 (0.00)"}));
    EXPECT_THAT(recorded.lines, ::testing::Not(Contains("")));
}

// tool-cut-short prints whole lines, then `tail` with no line end, then ends as `end` says.
struct CutShort {
    testing::EnvironmentChange tail, end;
    CutShort(const std::string& tail, const std::string& end)
        : tail("ZANTIVA_TEST_TAIL", tail), end("ZANTIVA_TEST_END", end) {}
};

const std::string cutScore = "  Multi-Core Score           12"; // of 12345
const std::string cutAddress = "https://browser.geekbench.com/v6/compute/12"; // of 1234567

TEST_F(ServiceTest, ALastLineCutShortByACrashOrAStopIsNeitherAScoreNorAnAddress) {
    for (const auto& [end, code] : {std::pair{"segv", 128 + SIGSEGV}, {"abort", 128 + SIGABRT}, {"1", 1}}) {
        SCOPED_TRACE(end);
        {
            const CutShort tool(cutScore, end);
            const auto error = errorOf([&] { geekbench("tool-cut-short"); });
            EXPECT_EQ(std::tuple(error.kind(), error.code()), std::tuple(Kind::exited, code));
            EXPECT_THAT(error.output(), HasSubstr(cutScore)) << "shown with the failure";
        }
        {
            const CutShort tool(cutAddress, end);
            EXPECT_EQ(errorOf([&] { geekbench("tool-cut-short", true); }).kind(), Kind::exited);
        }
        const CutShort tool("CB 12", end);
        EXPECT_EQ(errorOf([&] { cinebench("tool-cut-short"); }).kind(), Kind::exited);
        EXPECT_THAT(recorded.lines, IsSupersetOf({cutScore, cutAddress, std::string("CB 12")})) << "the console shows them";
    }

    // Stopped while uploading: the address it was printing is no upload.
    service.uploadTimeout = std::chrono::milliseconds(300);
    const CutShort tool(cutAddress, "hang");
    EXPECT_EQ(errorOf([&] { geekbench("tool-cut-short", true); }).kind(), Kind::geekbenchUploadFailed);
}

TEST_F(ServiceTest, ALastLineWithoutItsEndCountsWhenTheToolEndsWithStatus0) {
    {
        const CutShort tool(cutScore, "0");
        EXPECT_EQ(std::get<ExternalBenchmarkResult>(geekbench("tool-cut-short")).multiCoreScore, 12);
    }
    {
        const CutShort tool(cutAddress, "0");
        EXPECT_EQ(std::get<GeekbenchUpload>(geekbench("tool-cut-short", true)).url, cutAddress);
    }
    const CutShort tool("CB 12", "0");
    EXPECT_EQ(cinebench("tool-cut-short"), 12);
}

TEST_F(ServiceTest, WholeLinesCountEvenWhenTheToolCrashesAtItsEnd) {
    {
        const CutShort tool("  Multi-Core Score           12345\\nShutting d", "segv");
        const auto result = std::get<ExternalBenchmarkResult>(geekbench("tool-cut-short"));
        EXPECT_EQ(result.singleCoreScore, 2345);
        EXPECT_EQ(result.multiCoreScore, 12345);
    }
    const CutShort tool("https://browser.geekbench.com/v6/compute/1234567\\n", "abort");
    EXPECT_EQ(std::get<GeekbenchUpload>(geekbench("tool-cut-short", true)).url,
              "https://browser.geekbench.com/v6/compute/1234567");
}

TEST_F(ServiceTest, StoppingKillsTheToolAndEveryProcessItStarted) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder / "grandchild.pid";
    ::setenv("ZANTIVA_TEST_PID_FILE", pidFile.c_str(), 1);
    std::stop_source stop;
    QTimer::singleShot(std::chrono::milliseconds(500), [&] { stop.request_stop(); });

    EXPECT_THROW(cinebench("endless", ExternalTestKind::cpuSingleCore, stop.get_token()), CancellationError);
    ::unsetenv("ZANTIVA_TEST_PID_FILE");

    std::ifstream in(pidFile);
    pid_t grandchild = 0;
    ASSERT_TRUE(in >> grandchild) << "the tool did not start its grandchild";
    // Killed with its group. Re-parented, it may stay a zombie for a moment: that counts as gone.
    EXPECT_TRUE(testing::runUntil([&] { return testing::isGone(grandchild); }, std::chrono::seconds(2)))
        << "grandchild " << grandchild << " survived";
}

// The pids the escaping tool wrote: itself, a child in its group and one that left with setsid.
std::vector<pid_t> escapingToolPids(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<pid_t> pids;
    for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
    return pids;
}

// Each of them ended; one that outlived `when` is reported, then ended here.
void expectAllGone(const std::vector<pid_t>& pids, std::string_view when) {
    for (const pid_t pid : pids) {
        EXPECT_TRUE(testing::isGone(pid)) << pid << " outlived " << when;
        if (!testing::isGone(pid)) ::kill(pid, SIGKILL);
    }
}

TEST_F(ServiceTest, NothingTheToolStartedOutlivesItsEndOrAStop) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder / "tool.pids";
    const auto goFile = folder / "go";
    ::setenv("ZANTIVA_TEST_PID_FILE", pidFile.c_str(), 1);
    ::setenv("ZANTIVA_TEST_GO_FILE", goFile.c_str(), 1);

    std::ofstream(goFile).put('\n');
    EXPECT_EQ(cinebench("escaping-tool"), 66.6);
    auto pids = escapingToolPids(pidFile);
    ASSERT_EQ(pids.size(), 3u);
    expectAllGone(pids, "the tool's end");

    std::filesystem::remove(goFile);
    std::filesystem::remove(pidFile);
    std::stop_source stop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (std::filesystem::exists(pidFile)) stop.request_stop();
    });
    poll.start(std::chrono::milliseconds(20));
    EXPECT_THROW(cinebench("escaping-tool", ExternalTestKind::cpuSingleCore, stop.get_token()), CancellationError);
    ::unsetenv("ZANTIVA_TEST_PID_FILE");
    ::unsetenv("ZANTIVA_TEST_GO_FILE");
    pids = escapingToolPids(pidFile);
    ASSERT_EQ(pids.size(), 3u);
    expectAllGone(pids, "the stop");
}

TEST_F(ServiceTest, AStopRequestedBeforeTheStartRunsNothing) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(cinebench("cinebench-score", ExternalTestKind::cpuSingleCore, stop.get_token()), CancellationError);
    EXPECT_TRUE(recorded.lines.empty());
}

// A folder name with a byte that isn't UTF-8 (0xff), over the tool and over the guard
// itself: the tool is found, starts, and its stored path reads back byte for byte.
TEST_F(ServiceTest, AToolUnderAFolderNamedWithAByteThatIsNotUtf8IsFoundStartsAndIsStoredAsItIs) {
    testing::TemporaryFolder scratch;
    const std::filesystem::path folder = scratch / "opt\xff", launcher = folder / "Geekbench-6.3.0-Linux" / "geekbench6";
    std::filesystem::create_directories(launcher.parent_path());
    std::filesystem::copy_file(tools / "geekbench-scores", launcher);
    std::filesystem::copy_file(ZANTIVA_TOOL_GUARD, folder / "guard");

    const auto found = ExternalBenchmarkLocator::discover(std::vector{folder}).at(ExternalBenchmarkApp::geekbench);
    EXPECT_EQ(found.executablePath, launcher.string());
    ExternalBenchmarkService underFolder{std::make_shared<ProcessLauncher>(folder / "guard"), std::chrono::seconds(180), {}};
    const auto outcome = testing::awaitTask(
        underFolder.runGeekbench(found, found.resolvedExecutable(), false, onProgress(), onLine(), {}));
    EXPECT_EQ(std::get<ExternalBenchmarkResult>(outcome).multiCoreScore, 12345);

    ExternalBenchmarkStore(scratch.path()).setInstallation(found, ExternalBenchmarkApp::geekbench);
    EXPECT_EQ(ExternalBenchmarkStore(scratch.path()).settings(ExternalBenchmarkApp::geekbench).installation, found);

    // A guard that isn't there is a launch that failed, with the system's reason.
    ExternalBenchmarkService withoutGuard{std::make_shared<ProcessLauncher>(folder / "none"), std::chrono::seconds(180), {}};
    const auto failed = errorOf([&] {
        testing::awaitTask(withoutGuard.runGeekbench(found, found.resolvedExecutable(), false, onProgress(), onLine(), {}));
    });
    EXPECT_EQ(failed.kind(), Kind::couldNotLaunch);
    EXPECT_EQ(failed.reason(), "No such file or directory");
}

TEST(OutputLineSplitterTest, LinesAreTheSameHoweverTheBytesArriveInPieces) {
    const std::string output = "one\r\ntwo\rthree\n\n\nabcdefgh\nabcdefghi\r" + std::string(9, 'x');
    const std::vector<std::string> expected{"one", "two", "thre", "e", "abcd", "efgh", "abcd", "efgh", "i", "xxxx",
                                            "xxxx", "x"};
    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, output.size()}) {
        OutputLineSplitter splitter(4);
        std::vector<std::string> lines;
        const auto collect = [&](std::string_view line) { lines.emplace_back(line); };
        for (std::size_t at = 0; at < output.size(); at += piece)
            splitter.feed(std::string_view(output).substr(at, piece), collect);
        splitter.finish(collect);
        EXPECT_EQ(lines, expected) << "pieces of " << piece;
    }
}

TEST(OutputLineSplitterTest, ALineThatNeverEndsIsPassedOnInBoundedPieces) {
    OutputLineSplitter splitter(4);
    std::vector<std::string> lines;
    const auto collect = [&](std::string_view line) { lines.emplace_back(line); };
    splitter.feed("abcdefghij\r\n\nk", collect);
    splitter.feed("l", collect);
    splitter.finish(collect);
    EXPECT_EQ(lines, (std::vector<std::string>{"abcd", "efgh", "ij", "kl"}));
}

} // namespace
} // namespace zantiva
