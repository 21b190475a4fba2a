// The exchange's bounds, set low here so that a run reaches them at once: an answer past its
// size, a call past its whole time even while every byte keeps it from stalling, and one that
// stalls; and the answers it can't take whole.

#include <gtest/gtest.h>

#include <zlib.h>

#include "RawHttpServer.h"
#include "Support/AwaitTask.h"
#include "Support/LoopbackServer.h"
#include "WebRequestProgram/NetworkExchange.h"

using namespace zantiva;
using namespace zantiva::testing;
using namespace std::chrono_literals;

namespace {

std::optional<WebRequestAnswer> answerOf(const QUrl& url, const ExchangeLimits& limits) {
    std::optional<WebRequestAnswer> answer;
    sendRequest({{"GET", url, std::nullopt, std::nullopt}, "ua"}, limits,
                [&](WebRequestAnswer reply) { answer = std::move(reply); });
    runUntil([&] { return answer.has_value(); }, 60s);
    return answer;
}

std::string failureOf(const QUrl& url, const ExchangeLimits& limits) {
    const auto answer = answerOf(url, limits);
    if (!answer) return "(still running)";
    const auto* failure = std::get_if<WebRequestFailure>(&*answer);
    return failure ? failure->why : "(an answer)";
}

TEST(NetworkExchange, AnAnswerPastItsSizeOrACallPastItsTimeIsGivenUp) {
    RawHttpServer endless(RawHttpServer::endless);
    EXPECT_EQ(failureOf(endless.url(), {.maxAnswerBytes = 1 << 20}), "the answer is larger than 1 MiB");

    // A byte every 50 ms never stalls the transfer, which would end only after 100000 of them.
    RawHttpServer trickle([](QTcpSocket& socket) { RawHttpServer::dribble(socket, 50ms); });
    EXPECT_EQ(failureOf(trickle.url(), {.stallTime = 30s, .callTime = 2s}), "the call took longer than 2 s");

    RawHttpServer stalled([](QTcpSocket& socket) { socket.write(RawHttpServer::head("Content-Length: 10\r\n")); });
    EXPECT_EQ(failureOf(stalled.url(), {.stallTime = 1s}), "the call made no progress for 1 s");
}

// `copies` times `text` compressed with gzip, as a site's server would send it.
QByteArray gzip(const QByteArray& text, int copies) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray out;
    char buffer[65536];
    for (int i = 0; i <= copies; ++i) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
        stream.avail_in = i < copies ? uInt(text.size()) : 0;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer);
            stream.avail_out = sizeof buffer;
            deflate(&stream, i < copies ? Z_NO_FLUSH : Z_FINISH);
            out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return out;
}

// The program asks for answers as they stand and takes no compressed one, however it would
// decode: a bomb (64 MiB of zeros), a broken stream, or a stream cut short whose announced
// length matches what was sent.
TEST(NetworkExchange, ACompressedAnswerIsAFailureNotABody) {
    const QByteArray json = gzip(R"({"user_id": 7, "points": 120})", 1);
    const QByteArray bodies[] = {gzip(QByteArray(1 << 20, '\0'), 64), json.left(10) + QByteArray(40, 'x'),
                                 json.left(json.size() / 2)};
    for (const QByteArray& body : bodies) {
        RawHttpServer server([body](QTcpSocket& socket) {
            socket.write(RawHttpServer::head("Content-Encoding: gzip\r\nContent-Length: " +
                                             QByteArray::number(body.size()) + "\r\nConnection: close\r\n") +
                         body);
            socket.disconnectFromHost();
        });
        EXPECT_EQ(failureOf(server.url(), {}), "the answer came compressed as gzip, which was not asked for")
            << body.size();
    }

    LoopbackServer site;
    ASSERT_TRUE(answerOf(site.baseURL(), {}));
    EXPECT_EQ(site.requests().back().header("accept-encoding"), "identity");
}

// Qt turns these statuses into errors of its own, one for each status error it has; each
// is still the site's whole answer.
TEST(NetworkExchange, AnErrorStatusIsTheSitesAnswer) {
    for (const int status : {400, 401, 402, 403, 404, 405, 409, 410, 418, 500, 501, 502, 503}) {
        RawHttpServer server([status](QTcpSocket& socket) {
            socket.write("HTTP/1.1 " + QByteArray::number(status) +
                         " Refused\r\nContent-Length: 2\r\nConnection: close\r\n\r\n{}");
        });
        const auto answer = answerOf(server.url(), {});
        ASSERT_TRUE(answer) << status;
        const auto* response = std::get_if<HttpResponse>(&*answer);
        ASSERT_TRUE(response) << status;
        EXPECT_EQ(response->status, status);
        EXPECT_EQ(response->body, "{}");
    }
}

} // namespace
