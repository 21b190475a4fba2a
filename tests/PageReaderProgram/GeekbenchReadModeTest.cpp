#include <gtest/gtest.h>

#include <sstream>

#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>

#include "CLI/GeekbenchReadMode.h"
#include "ExternalRun/PageReaderProcess.h"
#include "Platform/BoundedProcess.h"
#include "ResultPages.h"
#include "Support/AwaitTask.h"
#include "Support/TemporaryFolder.h"
#include "Support/TerminalControls.h"

namespace zantiva {
namespace {

using namespace std::chrono_literals;
using namespace zantiva::testing;

struct GeekbenchReadMode : ::testing::Test {
    LoopbackServer server;
    std::ostringstream out, err;
    Loc loc{AppLanguage::english};
    CliContext context{out, err, false, loc};
    PageReaderProcess reader{loc, [this] {
                                 PageReaderSettings settings;
                                 settings.program = ZANTIVA_PAGE_READER;
                                 settings.guard = ZANTIVA_TOOL_GUARD;
                                 settings.site = server.baseURL().toString().toStdString();
                                 settings.timing = {.round = 100ms, .quiet = 20s, .windowed = 20s};
                                 return settings;
                             }()};

    int run(const QString& path, bool window = false) {
        return runGeekbenchRead(context, reader, pageAddress(server, path).toStdString(), window);
    }
};

// recordedAt is the time of the read: its line is checked for its form only.
std::string withoutTime(std::string text) {
    const auto at = text.find("recordedAt: ");
    if (at != std::string::npos) text.replace(at, text.find('\n', at) - at, "recordedAt: …");
    return text;
}

TEST_F(GeekbenchReadMode, PrintsTheScoresOfTheKindTheAddressNames) {
    server.answer("/v6/cpu/1", htmlPage(cpuCells));
    server.answer("/v6/gpu/2", htmlPage(gpuCells));
    server.answer("/v6/compute/3", htmlPage(gpuCells));
    EXPECT_EQ(run("/v6/cpu/1"), 0);
    EXPECT_EQ(withoutTime(out.str()), "multiCoreScore: 10234\nrecordedAt: …\nsingleCoreScore: 2345\n");
    EXPECT_NE(out.str().find("recordedAt: 20"), std::string::npos);
    for (const char* gpuPage : {"/v6/gpu/2", "/v6/compute/3"}) {
        out.str("");
        EXPECT_EQ(run(gpuPage), 0);
        EXPECT_EQ(withoutTime(out.str()), "gpuScore: 98765\nrecordedAt: …\n") << gpuPage;
    }
}

TEST_F(GeekbenchReadMode, SaysWhenItShowsTheWindowAndFailsWithoutScores) {
    server.on("/v6/cpu/4", [this](const RecordedRequest&) {
        return htmlPage(server.count("/v6/cpu/4") == 1 ? unusableCells : cpuCells);
    });
    EXPECT_EQ(run("/v6/cpu/4", true), 0);
    EXPECT_EQ(withoutTime(out.str()), "the site is asking for a person: showing the page in a window\n"
                                      "multiCoreScore: 10234\nrecordedAt: …\nsingleCoreScore: 2345\n");

    out.str("");
    server.answer("/v6/cpu/5", htmlPage(unusableCells));
    EXPECT_EQ(run("/v6/cpu/5"), 1);
    const std::string address = pageAddress(server, "/v6/cpu/5").toStdString();
    EXPECT_EQ(out.str(), "failed: no scores could be read from " + address + "\n");
}

// The reader program given a display that isn't there ends at once, and says why.
TEST_F(GeekbenchReadMode, SaysTheReaderCouldNotOpenTheDisplay) {
    const EnvironmentChange display("DISPLAY", ":4711"), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt), session("XDG_SESSION_TYPE", std::nullopt);
    server.answer("/v6/cpu/6", htmlPage(cpuCells));
    EXPECT_EQ(run("/v6/cpu/6"), 1);
    EXPECT_EQ(out.str(), "failed: no scores could be read from " + pageAddress(server, "/v6/cpu/6").toStdString() +
                             ": the page reader couldn't open the display (DISPLAY=:4711)\n");
    EXPECT_TRUE(server.requests().empty());
}

// ---- the real program ----

struct Outcome {
    int status;
    std::string out;
};

Outcome runProgram(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), ZANTIVA_PROGRAM);
    const auto result = runBoundedProcess(arguments, 60s);
    if (!result) return {-1, "the program did not start"};
    return {result->exitStatus, result->output};
}

TEST(GeekbenchReadProgram, LoadsNothingOffTheResultBrowserAndNeedsADisplayForTheWindow) {
    LoopbackServer server;
    const std::string loopbackPage = pageAddress(server, "/v6/cpu/1").toStdString();
    server.answer("/v6/cpu/1", htmlPage(cpuCells));
    const EnvironmentChange display("DISPLAY", std::nullopt), wayland("WAYLAND_DISPLAY", std::nullopt),
        platform("QT_QPA_PLATFORM", std::nullopt);

    const Outcome offSite = runProgram({"--geekbench-read", loopbackPage});
    EXPECT_EQ(offSite.status, 1);
    EXPECT_EQ(offSite.out, "failed: no scores could be read from " + loopbackPage + "\n");
    // Whatever the program had sent would be answered now.
    runUntil([] { return false; }, 200ms);
    EXPECT_TRUE(server.requests().empty());

    const Outcome verbose = runProgram({"--geekbench-read", loopbackPage, "--verbose"});
    EXPECT_EQ(verbose.out, offSite.out);

    const Outcome window = runProgram({"--window", "--geekbench-read", loopbackPage});
    EXPECT_EQ(window.status, 1);
    EXPECT_EQ(window.out, "failed: no display to show the window on\n");

    const Outcome bare = runProgram({"--geekbench-read"});
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.out, "failed: --geekbench-read needs a result page address\n");
}

// The result browser as the program reaches it: a loopback https server under its name, with
// a certificate of its own that the web engine is told to take, serving `body` at every
// address. `refused` says why no certificate can be made here.
class ResultBrowserStandIn {
public:
    explicit ResultBrowserStandIn(QByteArray body) : body_(std::move(body)) {
        const auto key = (folder_ / "key.pem").string(), certificate = (folder_ / "cert.pem").string();
        const auto made = runBoundedProcess({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                                             "-out", certificate, "-subj", "/CN=browser.geekbench.com", "-days", "1"},
                                            60s);
        if (!made || !made->succeeded()) {
            refused = "openssl can't make a certificate here";
            return;
        }
        QFile keyFile(QString::fromStdString(key)), certificateFile(QString::fromStdString(certificate));
        listening = keyFile.open(QIODevice::ReadOnly) && certificateFile.open(QIODevice::ReadOnly) &&
                    listen(keyFile, certificateFile);
    }

    std::optional<std::string> refused;
    bool listening = false;
    std::vector<QByteArray> requested; // the request lines

    // Runs the program off screen, resolving the result browser's name to this server.
    struct Run {
        int status;
        std::string out, err;
    };
    Run run(const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--host-resolver-rules=\"MAP browser.geekbench.com:443 127.0.0.1:" +
                                                             QString::number(server_.serverPort()) +
                                                             "\" --ignore-certificate-errors");
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
        program.setProcessEnvironment(environment);
        program.start(ZANTIVA_PROGRAM, arguments);
        if (!runUntil([&] { return program.state() == QProcess::NotRunning; }, 60s)) return {-1, {}, {}};
        return {program.exitCode(), program.readAllStandardOutput().toStdString(),
                program.readAllStandardError().toStdString()};
    }

private:
    bool listen(QFile& keyFile, QFile& certificateFile) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setPrivateKey(QSslKey(&keyFile, QSsl::Rsa));
        tls.setLocalCertificate(QSslCertificate(&certificateFile));
        server_.setSslConfiguration(tls);
        if (!server_.listen(QHostAddress::LocalHost, 0)) return false;
        QObject::connect(&server_, &QTcpServer::pendingConnectionAvailable, [this] {
            while (auto* socket = server_.nextPendingConnection())
                QObject::connect(socket, &QIODevice::readyRead, socket, [this, socket, head = QByteArray()]() mutable {
                    head += socket->readAll();
                    if (!head.contains("\r\n\r\n")) return;
                    requested.push_back(head.left(head.indexOf("\r\n")));
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                                  QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
                    socket->disconnectFromHost();
                });
        });
        return true;
    }

    const TemporaryFolder folder_;
    const QByteArray body_;
    QSslServer server_;
};

// The program reads only the result browser, over https. Without a display the page is read
// off screen, and the web engine's own diagnostics stay off.
TEST(GeekbenchReadProgram, ReadsAPageOfTheResultBrowserOffScreen) {
    ResultBrowserStandIn browser(htmlPage(gpuCells).body);
    if (browser.refused) GTEST_SKIP() << *browser.refused;
    ASSERT_TRUE(browser.listening);
    const auto run = browser.run({"--geekbench-read", "https://browser.geekbench.com/v6/compute/77"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(withoutTime(run.out), "gpuScore: 98765\nrecordedAt: …\n");
    EXPECT_EQ(run.err, "");
    ASSERT_FALSE(browser.requested.empty());
    EXPECT_EQ(browser.requested.front(), "GET /v6/compute/77 HTTP/1.1");
}

// With --verbose the page's console reaches standard error escaped: what a page logs can't
// write the clipboard, query the cursor or take the screen.
TEST(GeekbenchReadProgram, APagesConsoleReachesStandardErrorEscaped) {
    const QByteArray script = R"(<script>console.error("clip \x1b]52;c;cm0gLXJmIH4K\x07 query \x1b[6n alt \x1b[?1049h )"
                              R"(c1 \x9b2J \x9d0;t\x9c \x85 bell \x07 del \x7f end");</script>)";
    ResultBrowserStandIn browser(htmlPage(script + gpuCells).body);
    if (browser.refused) GTEST_SKIP() << *browser.refused;
    ASSERT_TRUE(browser.listening);
    const auto run = browser.run({"--geekbench-read", "https://browser.geekbench.com/v6/compute/78", "--verbose"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(withoutTime(run.out), "gpuScore: 98765\nrecordedAt: …\n");
    EXPECT_NE(run.err.find("clip \\x1b]52;c;cm0gLXJmIH4K\\x07 query \\x1b[6n alt \\x1b[?1049h c1 \\xc2\\x9b2J "
                           "\\xc2\\x9d0;t\\xc2\\x9c \\xc2\\x85 bell \\x07 del \\x7f end"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(terminalControlsIn(run.err), std::vector<std::string>{}) << run.err;
}

TEST(GeekbenchReadProgram, AsRootWithoutTheSandboxSwitchRefusesInsteadOfEnding) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root runs the web engine without its sandbox";
    const EnvironmentChange sandbox("QTWEBENGINE_DISABLE_SANDBOX", std::nullopt);
    const Outcome o = runProgram({"--geekbench-read", "https://browser.geekbench.com/v6/cpu/1"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "failed: the web engine can't run as root unless QTWEBENGINE_DISABLE_SANDBOX is set\n");
}

} // namespace
} // namespace zantiva
