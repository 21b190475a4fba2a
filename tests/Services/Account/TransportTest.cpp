// What the transport refuses to do: plain http, cookies, redirects; how it ends the calls
// still waiting when its owner goes, or whose run does not end; and that the TLS stack stays
// out of the calling program.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include <QTcpServer>

#include "Account/HttpTransport.h"
#include "AwaitedAPIError.h"
#include "Support/EnvironmentChange.h"
#include "Support/LoopbackServer.h"
#include "Support/TemporaryFolder.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

bool mapsLibrary(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    const std::string text((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    return text.find(name) != std::string::npos;
}

HttpRequest get(const LoopbackServer& server, const QString& endpoint) {
    return {"GET", server.baseURL().resolved(QUrl("wp-json/zantiva/v1/" + endpoint)), std::nullopt, std::nullopt};
}

TEST(Transport, TheProgramsTransportSendsNothingOverPlainHttp) {
    LoopbackServer server;
    server.answer("user-points", CannedReply::object(200, {{"user_id", 7}}));
    HttpTransport production(HttpTransport::defaultUserAgent(), HttpTransport::Security::httpsOnly,
                             ZANTIVA_WEB_REQUEST);
    const auto refused = awaitOutcome(production.send(get(server, "user-points")));
    ASSERT_TRUE(apiError(refused));
    EXPECT_EQ(apiError(refused)->kind(), APIError::Kind::unreachable);
    EXPECT_TRUE(server.requests().empty());

    HttpTransport forTests(HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp,
                          ZANTIVA_WEB_REQUEST_LOOPBACK);
    HttpRequest elsewhere = get(server, "user-points");
    elsewhere.url.setHost("example.com");
    EXPECT_EQ(apiError(awaitOutcome(forTests.send(elsewhere)))->kind(), APIError::Kind::unreachable);
    EXPECT_TRUE(server.requests().empty()) << "only loopback addresses may use plain http, even in tests";
}

TEST(Transport, KeepsNoCookiesAndFollowsNoRedirects) {
    LoopbackServer server;
    CannedReply withCookie = CannedReply::object(200, {{"user_id", 7}});
    withCookie.headers.push_back({"Set-Cookie", "wordpress_logged_in=abc; Path=/"});
    server.answer("user-points", withCookie);
    HttpTransport transport(HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp,
                           ZANTIVA_WEB_REQUEST_LOOPBACK);
    ASSERT_TRUE(awaitOutcome(transport.send(get(server, "user-points"))).value);
    ASSERT_TRUE(awaitOutcome(transport.send(get(server, "user-points"))).value);
    EXPECT_TRUE(server.requests().back().header("cookie").isEmpty());

    server.answer("device", {302, "", {{"Location", server.baseURL().toString().toUtf8() + "wp-json/zantiva/v1/user-points"}}});
    const auto redirected = awaitOutcome(transport.send(get(server, "device")));
    ASSERT_TRUE(redirected.value);
    EXPECT_EQ(redirected.value->status, 302);
    EXPECT_EQ(server.count("user-points"), 2);
}

TEST(Transport, ClosingEndsTheCallsInFlightAndRefusesNewOnes) {
    // A server that takes the connection and never answers: the call would wait forever.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    HttpTransport transport(HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp,
                           ZANTIVA_WEB_REQUEST_LOOPBACK);
    const HttpRequest request{"GET", QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort())),
                              std::nullopt, std::nullopt};
    auto waiting = transport.send(request);
    transport.close();
    const auto ended = awaitOutcome(std::move(waiting), std::chrono::seconds(5));
    ASSERT_TRUE(apiError(ended));
    EXPECT_EQ(apiError(ended)->kind(), APIError::Kind::unreachable);
    EXPECT_EQ(apiError(awaitOutcome(transport.send(request)))->kind(), APIError::Kind::unreachable);
}

// A run that has answered and still goes on would hold its call for ever: past the transport's
// limit it is killed and reaped, and the call fails whatever the run wrote.
TEST(Transport, ARunThatDoesNotEndIsEndedAtItsLimitAndItsCallFails) {
    TemporaryFolder folder;
    const std::string pidFile = (folder.path() / "pid").string();
    EnvironmentChange pidFileName("ZANTIVA_STAND_IN_PID_FILE", pidFile);
    HttpTransport transport(HttpTransport::defaultUserAgent(), HttpTransport::Security::httpsOnly,
                            ZANTIVA_FIXTURES "/web-request/answers-and-stays", std::chrono::seconds(2));
    const HttpRequest request{"GET", QUrl("https://zantiva.com/"), std::nullopt, std::nullopt};
    const auto ended = awaitOutcome(transport.send(request), std::chrono::seconds(60));
    ASSERT_TRUE(apiError(ended));
    EXPECT_EQ(apiError(ended)->kind(), APIError::Kind::unreachable);
    EXPECT_STREQ(apiError(ended)->what(), "unreachable: the request program did not end within 2 s");
    int pid = 0;
    std::ifstream(pidFile) >> pid;
    ASSERT_GT(pid, 0);
    EXPECT_NE(::kill(pid, 0), 0) << "the run is still there, running or unreaped";
}

TEST(Transport, AnHttpsCallLoadsNoTlsLibraryHereAndAMissingProgramIsAFailure) {
    // A port nobody listens on: the call fails after the TLS stack was set up for it.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    HttpTransport production(HttpTransport::defaultUserAgent(), HttpTransport::Security::httpsOnly,
                             ZANTIVA_WEB_REQUEST);
    const HttpRequest https{"GET", QUrl(QStringLiteral("https://127.0.0.1:%1/").arg(closedPort)), std::nullopt,
                            std::nullopt};
    const auto refused = awaitOutcome(production.send(https), std::chrono::seconds(20));
    ASSERT_TRUE(apiError(refused));
    EXPECT_EQ(apiError(refused)->kind(), APIError::Kind::unreachable);
    EXPECT_FALSE(mapsLibrary("libssl")) << "the window would keep the TLS stack for the whole session";

    HttpTransport missing(HttpTransport::defaultUserAgent(), HttpTransport::Security::httpsOnly,
                          "/nonexistent/zantiva-web-request");
    const auto lost = awaitOutcome(missing.send(https), std::chrono::seconds(5));
    ASSERT_TRUE(apiError(lost));
    EXPECT_EQ(apiError(lost)->kind(), APIError::Kind::unreachable);
    EXPECT_THAT(apiError(lost)->what(),
                ::testing::AllOf(::testing::HasSubstr("couldn't start /nonexistent/zantiva-web-request"),
                                 ::testing::EndsWith("No such file or directory")));
}

// Paths are the file system's bytes: a program installed under a folder whose name isn't UTF-8
// (byte 0xff) still runs, and calls through it are answered.
TEST(Transport, TheRequestProgramRunsFromAFolderNamedWithAByteThatIsNotUtf8) {
    TemporaryFolder folder;
    const std::filesystem::path program = folder / "bin\xff" / "zantiva-web-request";
    std::filesystem::create_directory(program.parent_path());
    std::filesystem::copy_file(ZANTIVA_WEB_REQUEST_LOOPBACK, program);
    LoopbackServer server;
    server.answer("user-points", CannedReply::object(200, {{"user_id", 7}}));
    HttpTransport transport(HttpTransport::defaultUserAgent(), HttpTransport::Security::allowLoopbackHttp, program);
    const auto answered = awaitOutcome(transport.send(get(server, "user-points")), std::chrono::seconds(20));
    ASSERT_TRUE(answered.value);
    EXPECT_EQ(answered.value->status, 200);
    EXPECT_EQ(server.count("user-points"), 1);
}

} // namespace
