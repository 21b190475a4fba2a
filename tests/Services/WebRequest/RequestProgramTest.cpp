// The request program against what a hostile site or a broken caller would hand it: answers
// or heads without end, cut off or trickling, orders too large, slow, out of range or with line breaks
// for the request's head, and addresses that are not https. Each is a failure with its
// reason, given before anything is sent where the order is at fault. Over TLS, against a site
// whose authority the test build trusts: answers read whole, and certificates checked.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>

#include "Account/HttpTransport.h"
#include "RawHttpServer.h"
#include "Support/AwaitTask.h"
#include "Support/EnvironmentChange.h"
#include "Support/LoopbackServer.h"
#include "TestCertificates.h"
#include "WebRequest/WebRequestProtocol.h"

using namespace zantiva;
using namespace zantiva::testing;

namespace {

struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    WebRequestAnswer answer;
};

// One run of `program` given `order` on its standard input, closed after it unless `keepOpen`.
ProgramRun runProgram(const char* program, const QByteArray& order, bool keepOpen = false) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
    process.write(order);
    if (!keepOpen) process.closeWriteChannel();
    if (!runUntil([&] { return process.state() == QProcess::NotRunning; }, std::chrono::seconds(60))) {
        process.kill();
        process.waitForFinished();
    }
    ProgramRun run{process.exitCode(), process.exitStatus(), WebRequestFailure{"no answer"}};
    if (run.exitStatus == QProcess::NormalExit) run.answer = decodeAnswer(process.readAllStandardOutput());
    return run;
}

std::string failureOf(const ProgramRun& run) {
    const auto* failure = std::get_if<WebRequestFailure>(&run.answer);
    return failure ? failure->why : "(no failure)";
}

// What the transport's call ended with: the reply's status, or the error's text.
std::string callThroughTransport(HttpRequest request, QString userAgent = HttpTransport::defaultUserAgent()) {
    HttpTransport transport(std::move(userAgent), HttpTransport::Security::allowLoopbackHttp,
                            ZANTIVA_WEB_REQUEST_LOOPBACK);
    const auto outcome = awaitOutcome(transport.send(std::move(request)), std::chrono::seconds(90));
    if (outcome.value) return "status " + std::to_string(outcome.value->status);
    try {
        std::rethrow_exception(outcome.error);
    } catch (const std::exception& error) {
        return error.what();
    }
}

HttpRequest get(const QUrl& url) { return {"GET", url, std::nullopt, std::nullopt}; }

TEST(RequestProgram, AnAnswerWithoutEndOrCutOffIsAFailure) {
    RawHttpServer endless(RawHttpServer::endless);
    EXPECT_NE(callThroughTransport(get(endless.url())).find("the answer is larger than 4 MiB"), std::string::npos);

    // Announces 5000 bytes, sends 64 and hangs up.
    RawHttpServer cutOff([](QTcpSocket& socket) {
        socket.write(RawHttpServer::head("Content-Length: 5000\r\nConnection: close\r\n") + QByteArray(64, '{'));
        socket.disconnectFromHost();
    });
    EXPECT_NE(callThroughTransport(get(cutOff.url())).find("the answer broke off"), std::string::npos);

    // A whole answer still arrives whole, error statuses included.
    LoopbackServer site;
    site.answer("user-points", CannedReply::error(404, "rest_no_route", "No route"));
    EXPECT_EQ(callThroughTransport(get(site.baseURL().resolved(QUrl("wp-json/zantiva/v1/user-points")))), "status 404");
}

// A head without end, as one endless header or as header lines without end, sent as fast as
// the run takes it: the answer's bound covers the head, and ends the run there, long before
// the stall timer would.
TEST(RequestProgram, AHeadWithoutEndEndsOnTheAnswersBound) {
    const std::pair<QByteArray, QByteArray> heads[] = {
        {"HTTP/1.1 200 OK\r\nX-Endless: ", QByteArray(64 * 1024, 'a')},
        {"HTTP/1.1 200 OK\r\n", QByteArray("X-Line: a\r\n").repeated(6000)},
    };
    for (const auto& [start, chunk] : heads) {
        RawHttpServer server(RawHttpServer::flood(start, chunk));
        EXPECT_NE(callThroughTransport(get(server.url())).find("the answer is larger than 4 MiB"), std::string::npos)
            << start.toStdString();
    }
}

TEST(RequestProgram, RefusesBeforeConnectingAnOrderThatCouldAddHeaderLines) {
    LoopbackServer site;
    const QUrl url = site.baseURL().resolved(QUrl("wp-json/zantiva/v1/user-points"));
    HttpRequest withToken = get(url);
    withToken.bearerToken = "abc\r\nX-Injected: 1";
    EXPECT_NE(callThroughTransport(withToken).find("bearer_token: holds a control character"), std::string::npos);
    EXPECT_NE(callThroughTransport(get(url), "ZantivaDiagnostics/1.0\r\nX-Injected: 1").find("user_agent"),
              std::string::npos);
    HttpRequest badMethod = get(url);
    badMethod.method = "GET / HTTP/1.1\r\nHost: elsewhere\r\n\r\nGET";
    EXPECT_NE(callThroughTransport(badMethod).find("method: not a method name"), std::string::npos);
    EXPECT_TRUE(site.requests().empty());
}

TEST(RequestProgram, AnOrderTooLargeTooSlowOrOutOfRangeIsRefusedInItsOwnWords) {
    LoopbackServer site;
    HttpRequest huge = get(site.baseURL());
    huge.method = "POST";
    huge.jsonBody = QByteArray(5 << 20, ' ');
    EXPECT_NE(callThroughTransport(huge).find("the request is larger than 4 MiB"), std::string::npos);

    const QByteArray outOfRange = R"({"method":"GET","url":")" + site.baseURL().toEncoded() +
                                  R"(","user_agent":"ua","n":1e999})";
    const ProgramRun overflow = runProgram(ZANTIVA_WEB_REQUEST_LOOPBACK, outOfRange);
    EXPECT_EQ(overflow.exitStatus, QProcess::NormalExit) << "it ended by a signal";
    EXPECT_EQ(overflow.exitCode, 2);
    EXPECT_EQ(failureOf(overflow), "not a request: a number out of range");

    // Nothing comes and the input stays open: the run doesn't wait for ever.
    const ProgramRun silent = runProgram(ZANTIVA_WEB_REQUEST_LOOPBACK, "", /*keepOpen=*/true);
    EXPECT_EQ(failureOf(silent), "not a request: the request did not arrive within 10 s");
    EXPECT_TRUE(site.requests().empty());
}

TEST(RequestProgram, TheInstalledProgramSendsOnlyToHttps) {
    LoopbackServer site;
    const QByteArray plain = encodeOrder({get(site.baseURL()), "ua"});
    EXPECT_EQ(failureOf(runProgram(ZANTIVA_WEB_REQUEST, plain)), "not a request: sends only to https addresses");
    QByteArray noHost = encodeOrder({get(QUrl("https:/wp-json/")), "ua"});
    EXPECT_EQ(failureOf(runProgram(ZANTIVA_WEB_REQUEST, noHost)), "not a request: sends only to https addresses");
    EXPECT_TRUE(site.requests().empty());

    // The tests' build lets plain http through to a loopback address, and only there.
    EXPECT_TRUE(std::holds_alternative<HttpResponse>(runProgram(ZANTIVA_WEB_REQUEST_LOOPBACK, plain).answer));
    QUrl elsewhere = site.baseURL();
    elsewhere.setHost("example.com");
    EXPECT_EQ(failureOf(runProgram(ZANTIVA_WEB_REQUEST_LOOPBACK, encodeOrder({get(elsewhere), "ua"}))),
              "not a request: sends only to https addresses");
}

// A multicast address: the kernel refuses a TCP connection to it within connect() itself, so
// the failure comes before the run's event loop turns. The run still answers and ends.
TEST(RequestProgram, EndsWhenTheConnectionFailsAtOnce) {
    const ProgramRun run = runProgram(ZANTIVA_WEB_REQUEST, encodeOrder({get(QUrl("https://224.0.0.1:1/x")), "ua"}));
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit) << "it was killed, still running";
    EXPECT_EQ(failureOf(run), "Network unreachable");
}

// The site's authority, trusted by the test build's runs until the end of the scope.
struct TrustedAuthority {
    TestCertificates certificates;
    EnvironmentChange trust{"ZANTIVA_WEB_REQUEST_TEST_CA", certificates.authorityFile().toStdString()};
};

WebRequestAnswer answerOver(const RawHttpServer& server, const char* program = ZANTIVA_WEB_REQUEST_LOOPBACK) {
    return runProgram(program, encodeOrder({get(server.url()), "ua"})).answer;
}

// With its length, and ended by the site's close alone. A site that closes TLS (close_notify)
// and keeps the connection open until the client closes too is seen as an error, never as a
// disconnect: the run takes that error as the answer's end, and doesn't wait out the stall bound.
// A close of the connection without the end of the TLS session, which anyone on the way could
// bring about, ends no answer.
TEST(RequestProgram, AnAnswerOverTlsReadsWholeWithItsLengthOrEndedByTheSitesClose) {
    TrustedAuthority authority;
    const QSslConfiguration site = authority.certificates.server("IP:127.0.0.1,DNS:localhost");
    const QByteArray body = R"({"user_id": 7, "points": 120})";
    RawHttpServer withLength([&](QTcpSocket& socket) {
        socket.write(RawHttpServer::head("Content-Length: " + QByteArray::number(body.size()) + "\r\n") + body);
    }, site);
    int heldOpen = -1; // a copy of the connection's descriptor, which outlives the socket's close
    RawHttpServer endedByClose([&](QTcpSocket& socket) {
        socket.write(RawHttpServer::head("Connection: close\r\n") + body);
        heldOpen = ::dup(int(socket.socketDescriptor()));
        socket.disconnectFromHost();
    }, site);
    for (const RawHttpServer* server : {&withLength, &endedByClose}) {
        const WebRequestAnswer answer = answerOver(*server);
        const auto* response = std::get_if<HttpResponse>(&answer);
        ASSERT_TRUE(response) << std::get<WebRequestFailure>(answer).why;
        EXPECT_EQ(response->status, 200);
        EXPECT_EQ(response->body, body);
    }
    ::close(heldOpen);

    RawHttpServer cut([&](QTcpSocket& socket) {
        socket.write(RawHttpServer::head("Connection: close\r\n") + body.first(10));
        socket.flush();
        ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
    }, site);
    const WebRequestAnswer answer = answerOver(cut);
    const auto* failure = std::get_if<WebRequestFailure>(&answer);
    ASSERT_TRUE(failure) << "the cut answer was taken as whole";
    EXPECT_EQ(failure->why, "the answer broke off: the connection closed without ending its TLS session");
}

// A certificate that the trusted authority did not sign, or one for another host, ends the call
// in the handshake: the site is never asked. The installed program ignores the test build's
// variable, so the tests' authority means nothing to it.
TEST(RequestProgram, ACertificateNotSignedByATrustedAuthorityOrForAnotherHostIsRefused) {
    TrustedAuthority authority;
    bool asked = false;
    const auto answer = [&](QTcpSocket& socket) {
        asked = true;
        socket.write(RawHttpServer::head("Content-Length: 2\r\n") + "{}");
    };
    RawHttpServer selfSigned(answer, authority.certificates.server("IP:127.0.0.1", /*selfSigned=*/true));
    RawHttpServer elsewhere(answer, authority.certificates.server("DNS:elsewhere.example"));
    RawHttpServer site(answer, authority.certificates.server("IP:127.0.0.1"));
    const std::pair<WebRequestAnswer, std::string> refusals[] = {
        {answerOver(selfSigned), "The certificate is self-signed, and untrusted"},
        {answerOver(elsewhere), "The host name did not match any of the valid hosts for this certificate"},
        {answerOver(site, ZANTIVA_WEB_REQUEST), "The issuer certificate of a locally looked up certificate could "
                                                "not be found"},
    };
    for (const auto& [refused, why] : refusals) {
        const auto* failure = std::get_if<WebRequestFailure>(&refused);
        ASSERT_TRUE(failure) << why;
        EXPECT_EQ(failure->why, why);
    }
    EXPECT_FALSE(asked);
}

} // namespace
