#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include <QProcess>
#include <QTimer>
#include <QWidget>

#include "ExternalRun/PageReaderProcess.h"
#include "Localization/Loc.h"
#include "PageReaderProgram/GeekbenchResultPageReader.h"
#include "Platform/CancelToken.h"
#include "ResultPages.h"
#include "Support/AwaitTask.h"
#include "Support/ProcessState.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;
using namespace zantiva::testing;

// The reader program reading pages of the loopback server.
PageReaderSettings loopbackSettings(const LoopbackServer& server, GeekbenchPageTiming timing) {
    PageReaderSettings settings;
    settings.program = ZANTIVA_PAGE_READER;
    settings.guard = ZANTIVA_TOOL_GUARD;
    settings.site = server.baseURL().toString().toStdString();
    settings.timing = timing;
    return settings;
}

struct PageReading : ::testing::Test {
    LoopbackServer server;
    Loc loc{AppLanguage::english};
    PageReaderProcess reader{loc, loopbackSettings(server, {.round = 100ms, .quiet = 20s, .windowed = 20s})};
    std::stop_source stop;
    int needsUser = 0;

    QCoro::Task<std::optional<ExternalBenchmarkResult>> read(const QString& path, bool isGPU = false,
                                                             bool interactive = false) {
        return reader.read(pageAddress(server, path), isGPU, interactive, [this] { ++needsUser; }, stop.get_token());
    }

    // Serves the first request of the path with `first` and every later one with `later`.
    void serveInTurn(const QString& path, QByteArray first, QByteArray later) {
        server.on(path, [this, path, first, later](const RecordedRequest&) {
            return htmlPage(server.count(path) == 1 ? first : later);
        });
    }
};

// The window that asks a person, on the reader as the reader program runs it.
struct CheckWindow : PageReading {
    GeekbenchResultPageReader inProcess{loc, server.baseURL(), {.round = 100ms, .quiet = 20s, .windowed = 20s}};

    QCoro::Task<std::optional<ExternalBenchmarkResult>> readHere(const QString& path) {
        return inProcess.read(pageAddress(server, path), false, true, [this] { ++needsUser; }, stop.get_token());
    }

    // Acts on the reader's window once it shows.
    void onWindow(std::function<void(QWidget&)> act) {
        auto* timer = new QTimer(&inProcess);
        QObject::connect(timer, &QTimer::timeout, [this, timer, act] {
            if (!inProcess.window()) return;
            timer->deleteLater();
            act(*inProcess.window());
        });
        timer->start(20);
    }
};

TEST_F(PageReading, ReadsTheScoresOfACpuPageAndOfAGpuPage) {
    server.answer("/v6/cpu/101", htmlPage(cpuCells));
    server.answer("/v6/compute/202", htmlPage(gpuCells));

    const auto cpu = awaitTask(read("/v6/cpu/101"));
    ASSERT_TRUE(cpu);
    EXPECT_EQ(cpu->singleCoreScore, 2345);
    EXPECT_EQ(cpu->multiCoreScore, 10234);
    EXPECT_FALSE(cpu->gpuScore);

    const auto gpu = awaitTask(read("/v6/compute/202", true));
    ASSERT_TRUE(gpu);
    EXPECT_EQ(gpu->gpuScore, 98765);
    EXPECT_FALSE(gpu->singleCoreScore);
    EXPECT_EQ(needsUser, 0);
}

TEST_F(PageReading, LoadsNothingOffTheSite) {
    const QString port = QString::number(server.baseURL().port());
    const QString otherPort = QString::number(server.baseURL().port() + 1);
    for (const QString& address : {"https://127.0.0.1:" + port + "/v6/cpu/1", "http://localhost:" + port + "/v6/cpu/1",
                                   "http://127.0.0.1:" + otherPort + "/v6/cpu/1", QString("not an address"),
                                   QString()}) {
        const auto result = awaitTask(reader.read(address, false, true, [this] { ++needsUser; }, {}));
        EXPECT_FALSE(result) << address.toStdString();
    }
    // The program's reader reads only the result browser, over https.
    PageReaderSettings productionSettings;
    productionSettings.program = ZANTIVA_PAGE_READER;
    productionSettings.guard = ZANTIVA_TOOL_GUARD;
    PageReaderProcess production(loc, productionSettings);
    EXPECT_FALSE(awaitTask(production.read(pageAddress(server, "/v6/cpu/1"), false, true, [] {}, {})));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(needsUser, 0);
}

// Pages of the site that point elsewhere: a redirect, a script that moves on, and sub-requests
// (an image, a script, a fetch). The other origin is the same host on another port, and it
// must hear nothing; each page tells the site when its sub-request has ended.
TEST_F(PageReading, NothingLeavesTheSiteItsPagesPointAt) {
    LoopbackServer elsewhere;
    const auto away = [&](const char* path) { return pageAddress(elsewhere, path).toUtf8(); };
    server.answer("/v6/cpu/11", {302, "", {{"Location", away("/redirected")}}});
    server.answer("/v6/cpu/12", htmlPage("<script>location.replace('" + away("/replaced") + "');</script>"));
    const QByteArray told = "onload=\"fetch('/ended-' + this.id)\" onerror=\"fetch('/ended-' + this.id)\"";
    server.answer("/v6/cpu/13", htmlPage(cpuCells + "<img id=img src='" + away("/image") + "' " + told +
                                         "><script id=script src='" + away("/script") + "' " + told +
                                         "></script><script>fetch('" + away("/fetched") +
                                         "').finally(function () { fetch('/ended-fetch'); });</script>"));
    GeekbenchResultPageReader brief{loc, server.baseURL(), {.round = 100ms, .quiet = 1500ms}};
    const auto readBriefly = [&](const QString& path) {
        return awaitTask(brief.read(pageAddress(server, path), false, false, [] {}, {}), 15s);
    };

    EXPECT_FALSE(readBriefly("/v6/cpu/11"));
    EXPECT_FALSE(readBriefly("/v6/cpu/12"));
    EXPECT_TRUE(readBriefly("/v6/cpu/13")) << "the page's own scores are read";
    EXPECT_TRUE(runUntil([&] {
        return server.count("/ended-img") + server.count("/ended-script") + server.count("/ended-fetch") == 3;
    }, 10s));
    runUntil([] { return false; }, 300ms);
    for (const auto& request : elsewhere.requests())
        ADD_FAILURE() << "fetched off the site: " << request.endpoint.toStdString();
}

// The site shows its check at the page's address, moves to a check page of its own (whose
// cells are not the result's) and comes back to the result.
TEST_F(PageReading, SkipsTheSitesCheckUntilThePageShowsItsScores) {
    serveInTurn("/v6/cpu/303", "<script>setTimeout(function () { location.replace('/check'); }, 200);</script>",
                cpuCells);
    server.answer("/check", htmlPage(R"(<div class="score">1</div><div class="note">Single-Core Score</div>
<div class="score">1</div><div class="note">Multi-Core Score</div>
<script>setTimeout(function () { location.replace('/v6/cpu/303'); }, 300);</script>)"));

    const auto result = awaitTask(read("/v6/cpu/303"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->singleCoreScore, 2345);
    EXPECT_EQ(server.count("/v6/cpu/303"), 2);
    EXPECT_EQ(server.count("/check"), 1);
}

// The check page has cells of its own: an answer read there, after the view had shown the
// result page, gives nothing.
TEST(PageAnswer, OnlyTheCellsOfThePageAskedForAreRead) {
    const QUrl url("https://browser.example/v6/cpu/303");
    const QString cells = R"([["2,345","Single-Core Score"],["9,876","Multi-Core Score"]])";
    EXPECT_EQ(scoresAnsweredAt("/v6/cpu/303\n" + cells, url).at("Single-Core Score"), 2345);
    EXPECT_TRUE(scoresAnsweredAt("/check\n" + cells, url).empty());
    EXPECT_TRUE(scoresAnsweredAt(cells, url).empty());
}

TEST_F(PageReading, APageThatReplacesItsScriptFunctionsIsReadAsItStands) {
    server.answer("/v6/cpu/404", htmlPage(cpuCells + R"(<script>
JSON.stringify = function () { return '[["1","Single-Core Score"],["1","Multi-Core Score"]]'; };
Array.from = function () { return []; };
</script>)"));
    const auto result = awaitTask(read("/v6/cpu/404"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->singleCoreScore, 2345);
    EXPECT_EQ(result->multiCoreScore, 10234);
}

TEST_F(PageReading, AWindowAsksAPersonWhenTheQuietReadFindsNoScores) {
    serveInTurn("/v6/cpu/505", unusableCells, cpuCells);
    const auto result = awaitTask(read("/v6/cpu/505", false, true));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->multiCoreScore, 10234);
    EXPECT_EQ(needsUser, 1);
    EXPECT_EQ(server.count("/v6/cpu/505"), 2);
}

TEST_F(CheckWindow, AWindowAsksAPersonWhenTheQuietReadFindsNoScores) {
    serveInTurn("/v6/cpu/505", unusableCells, cpuCells);
    QString title;
    bool shown = false;
    onWindow([&](QWidget& window) {
        title = window.windowTitle();
        shown = window.isVisible();
    });

    const auto result = awaitTask(readHere("/v6/cpu/505"));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->multiCoreScore, 10234);
    EXPECT_EQ(needsUser, 1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(title, "Geekbench score — site check");
    EXPECT_EQ(inProcess.window(), nullptr);
    EXPECT_EQ(server.count("/v6/cpu/505"), 2);
}

TEST_F(CheckWindow, ThePersonClosingTheWindowEndsTheReadWithoutAResult) {
    server.answer("/v6/cpu/606", htmlPage(unusableCells));
    onWindow([](QWidget& window) { window.close(); });
    EXPECT_FALSE(awaitTask(readHere("/v6/cpu/606"), 15s));
    EXPECT_EQ(inProcess.window(), nullptr);

    // A later read is not taken for closed.
    server.answer("/v6/cpu/101", htmlPage(cpuCells));
    EXPECT_TRUE(awaitTask(readHere("/v6/cpu/101")));
}

TEST_F(CheckWindow, StopEndsTheReadAndClosesTheWindowWhileASecondReadIsTurnedAway) {
    server.answer("/v6/cpu/707", htmlPage(unusableCells));
    onWindow([this](QWidget&) { stop.request_stop(); });
    Awaited<std::optional<ExternalBenchmarkResult>> first;
    capture(readHere("/v6/cpu/707"), first);

    const auto second = awaitOutcome(inProcess.read(pageAddress(server, "/v6/cpu/707"), false, true, [] {}, {}));
    EXPECT_FALSE(second.error);
    EXPECT_FALSE(*second.value);

    ASSERT_TRUE(runUntil([&] { return first.done; }));
    ASSERT_TRUE(first.error);
    EXPECT_THROW(std::rethrow_exception(first.error), CancellationError);
    EXPECT_EQ(inProcess.window(), nullptr);
    EXPECT_EQ(needsUser, 1);
}

// The reader program and the web engine's processes, all in the program's process group; the
// reader runs under the tool guard, a child of ours, in the guard's half that holds its tool.
std::vector<pid_t> readerProcesses() {
    const auto all = runningProcesses();
    const auto isOurGuard = [&](pid_t pid) {
        for (int half = 0; half < 2; ++half) {
            const auto guard = std::ranges::find(all, pid, &ProcessStat::pid);
            if (guard == all.end() || !guard->name.starts_with("zantiva-tool")) return false;
            if (guard->parent == ::getpid()) return true;
            pid = guard->parent;
        }
        return false;
    };
    std::vector<pid_t> group;
    for (const ProcessStat& reader : all)
        if (isOurGuard(reader.parent) && reader.name.starts_with("zantiva-page"))
            for (const ProcessStat& member : all)
                if (member.group == reader.pid) group.push_back(member.pid);
    return group;
}

TEST_F(PageReading, StopEndsTheReadWithTheWholeReaderWhileASecondReadIsTurnedAway) {
    server.answer("/v6/cpu/707", htmlPage(unusableCells));
    std::vector<pid_t> processes;
    Awaited<std::optional<ExternalBenchmarkResult>> first;
    capture(reader.read(pageAddress(server, "/v6/cpu/707"), false, true,
                        [&] {
                            processes = readerProcesses();
                            stop.request_stop();
                        },
                        stop.get_token()),
            first);

    const auto second = awaitOutcome(reader.read(pageAddress(server, "/v6/cpu/707"), false, true, [] {}, {}));
    EXPECT_FALSE(second.error);
    EXPECT_FALSE(*second.value);

    ASSERT_TRUE(runUntil([&] { return first.done; }));
    ASSERT_TRUE(first.error);
    EXPECT_THROW(std::rethrow_exception(first.error), CancellationError);
    // The program and the web engine's own processes.
    EXPECT_GE(processes.size(), 2u);
    EXPECT_TRUE(runUntil([&] { return std::ranges::all_of(processes, isGone); }, 5s));
}

// The page's own script keeps its renderer busy, so a look at the page never answers.
TEST_F(PageReading, APageThatNeverAnswersEndsAtTheDeadlineAndOnStop) {
    server.answer("/v6/cpu/808", htmlPage(cpuCells + "<script>while (true) {}</script>"));
    PageReaderProcess brief{loc, loopbackSettings(server, {.round = 100ms, .quiet = 1s})};
    EXPECT_FALSE(awaitTask(brief.read(pageAddress(server, "/v6/cpu/808"), false, false, [] {}, {}), 15s));

    QTimer::singleShot(500, [this] { stop.request_stop(); });
    const auto stopped = awaitOutcome(read("/v6/cpu/808"), 15s);
    ASSERT_TRUE(stopped.error);
    EXPECT_THROW(std::rethrow_exception(stopped.error), CancellationError);
    EXPECT_TRUE(runUntil([] { return readerProcesses().empty(); }, 5s));

    // The busy page's renderer is left behind.
    server.answer("/v6/cpu/101", htmlPage(cpuCells));
    EXPECT_TRUE(awaitTask(reader.read(pageAddress(server, "/v6/cpu/101"), false, false, [] {}, {})));
}

// A page that grows without end: the reader answers that it is too large as soon as it
// and its engine pass the bound, long before the page would show its scores; under the guard
// nothing of it is left.
TEST_F(PageReading, APagePastTheMemoryBoundIsNotReadAndEndsTheReaderWithItsEngine) {
    server.answer("/v6/cpu/400",
                  htmlPage("<script>const held = []; setInterval(() => held.push(new Float64Array(1 << 23).fill(1)), 20);"
                           "setTimeout(() => document.body.insertAdjacentHTML('beforeend', `" +
                           cpuCells + "`), 110000);</script>"));
    QProcess guarded;
    guarded.start(ZANTIVA_TOOL_GUARD, {QString::number(::getpid()), ZANTIVA_PAGE_READER, "--site",
                                       server.baseURL().toString(), "--quiet", "120000", "--memory", "400", "--",
                                       pageAddress(server, "/v6/cpu/400")});
    ASSERT_TRUE(guarded.waitForStarted());
    ASSERT_TRUE(runUntil([&] { return guarded.state() == QProcess::NotRunning; }, 100s));
    EXPECT_EQ(guarded.readAllStandardOutput().toStdString(), "none too-large\n");
    EXPECT_TRUE(readerProcesses().empty());
}

// As root the web engine would end the process without its sandbox switch.
TEST_F(PageReading, AsRootWithoutTheSandboxSwitchNothingIsRead) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root runs the web engine without its sandbox";
    server.answer("/v6/cpu/101", htmlPage(cpuCells));
    const EnvironmentChange sandbox("QTWEBENGINE_DISABLE_SANDBOX", std::nullopt);
    EXPECT_FALSE(awaitTask(read("/v6/cpu/101")));
    EXPECT_TRUE(server.requests().empty());
}

} // namespace
} // namespace zantiva
