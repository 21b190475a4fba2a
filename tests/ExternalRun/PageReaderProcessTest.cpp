// The side of the result-page reader that runs in the main program: how it starts the reader
// program, reads its answer and ends it. Stand-in programs answer here; the real one reads real
// pages in tests/ExternalScreens.

#include <gtest/gtest.h>

#include <fstream>

#include "../Support/AwaitTask.h"
#include "../Support/ProcessState.h"
#include "../Support/TemporaryFolder.h"
#include "ExternalRun/PageReaderProcess.h"
#include "Localization/Loc.h"
#include "Platform/CancelToken.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;
using namespace zantiva::testing;

const std::filesystem::path fixtures = ZANTIVA_FIXTURES;
const QString address = "https://browser.geekbench.com/v6/gpu/1";

struct PageReaderProcessTest : ::testing::Test {
    Loc loc{AppLanguage::english};
    int needsUser = 0;
    std::vector<std::string> diagnostics;

    PageReaderSettings settings(const std::filesystem::path& program, bool verbose = false) {
        PageReaderSettings s;
        s.program = program;
        s.guard = ZANTIVA_TOOL_GUARD;
        s.timing = {.round = 50ms, .quiet = 100ms, .windowed = 100ms};
        s.startAllowance = 300ms;
        s.verbose = verbose;
        s.onDiagnostic = [this](std::string_view line) { diagnostics.emplace_back(line); };
        return s;
    }

    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(PageReaderProcess& reader, bool interactive,
                                                             std::stop_token stop = {}) {
        return reader.read(address, true, interactive, [this] { ++needsUser; }, stop);
    }
};

TEST_F(PageReaderProcessTest, TheAnswerGivesTheScoresAndTheEnginesDiagnosticsPassOnlyWhenAskedFor) {
    PageReaderProcess quiet(loc, settings(fixtures / "page-reader" / "scores"));
    const auto result = awaitTask(read(quiet, true));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->gpuScore, 98765);
    EXPECT_EQ(iso8601(result->recordedAt), "2026-12-06T21:00:08Z");
    EXPECT_EQ(needsUser, 1);
    EXPECT_TRUE(diagnostics.empty());

    PageReaderProcess verbose(loc, settings(fixtures / "page-reader" / "scores", true));
    EXPECT_TRUE(awaitTask(read(verbose, false)));
    // A read that may not ask a person never calls back.
    EXPECT_EQ(needsUser, 1);
    EXPECT_EQ(diagnostics, std::vector<std::string>{"js: a note from the page's console"});
}

TEST_F(PageReaderProcessTest, AProgramThatGivesNoAnswerOrIsMissingGivesNoScores) {
    PageReaderProcess failing(loc, settings(fixtures / "page-reader" / "no-answer"));
    EXPECT_FALSE(awaitTask(read(failing, true)));
    PageReaderProcess missing(loc, settings(fixtures / "page-reader" / "not-there"));
    EXPECT_FALSE(awaitTask(read(missing, true)));
    EXPECT_EQ(needsUser, 0);
}

// Paths are the file system's bytes: a reader installed under a folder whose name isn't UTF-8
// (byte 0xff) still starts.
TEST_F(PageReaderProcessTest, AProgramUnderAFolderNamedWithAByteThatIsNotUtf8Starts) {
    TemporaryFolder folder;
    const std::filesystem::path program = folder / "bin\xff" / "zantiva-page-reader";
    std::filesystem::create_directory(program.parent_path());
    std::filesystem::copy_file(fixtures / "page-reader" / "scores", program);
    PageReaderProcess reader(loc, settings(program));
    const auto result = awaitTask(read(reader, false));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->gpuScore, 98765);
}

struct HangingReader : PageReaderProcessTest {
    TemporaryFolder folder;
    const std::filesystem::path pidFile = folder / "grandchild.pid";
    HangingReader() { ::setenv("ZANTIVA_TEST_PID_FILE", pidFile.c_str(), 1); }
    ~HangingReader() override { ::unsetenv("ZANTIVA_TEST_PID_FILE"); }

    std::optional<pid_t> grandchild() const {
        pid_t pid = 0;
        if (std::ifstream(pidFile) >> pid) return pid;
        return std::nullopt;
    }

    // What the program started in its group is gone with it.
    void expectGroupGone() {
        const auto pid = grandchild();
        ASSERT_TRUE(pid) << "the program did not start its grandchild";
        EXPECT_TRUE(runUntil([&] { return isGone(*pid); }, 2s)) << "grandchild " << *pid << " survived";
    }
};

TEST_F(HangingReader, APassedDeadlineEndsTheProgramWithItsGroupAndTheReadWithoutScores) {
    PageReaderProcess reader(loc, settings(fixtures / "outside-tools" / "endless"));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(awaitTask(read(reader, false), 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    expectGroupGone();
}

TEST_F(HangingReader, StopEndsTheProgramWithItsGroupWhileASecondReadIsTurnedAway) {
    PageReaderProcess reader(loc, settings(fixtures / "outside-tools" / "endless"));
    std::stop_source stop;
    Awaited<std::optional<ExternalBenchmarkResult>> first;
    capture(read(reader, true, stop.get_token()), first);
    ASSERT_TRUE(runUntil([&] { return grandchild().has_value(); }, 5s));

    const auto second = awaitOutcome(read(reader, true), 1s);
    EXPECT_FALSE(second.error);
    EXPECT_FALSE(*second.value);

    stop.request_stop();
    ASSERT_TRUE(runUntil([&] { return first.done; }, 5s));
    ASSERT_TRUE(first.error);
    EXPECT_THROW(std::rethrow_exception(first.error), CancellationError);
    expectGroupGone();

    // The stopped read is over: the next one starts the program again.
    std::filesystem::remove(pidFile);
    EXPECT_FALSE(awaitTask(read(reader, false), 10s));
    expectGroupGone();
}

} // namespace
} // namespace zantiva
