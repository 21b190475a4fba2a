// The exchange's bounds, set low here so that a run reaches them at once: an answer past its
// size, and a call past its whole time even while every byte keeps it from stalling.

#include <gtest/gtest.h>

#include <QNetworkAccessManager>

#include "RawHttpServer.h"
#include "Support/AwaitTask.h"
#include "WebRequestProgram/NetworkExchange.h"

using namespace zantiva;
using namespace zantiva::testing;
using namespace std::chrono_literals;

namespace {

std::optional<WebRequestAnswer> answerOf(const QUrl& url, const ExchangeLimits& limits) {
    QNetworkAccessManager manager;
    std::optional<WebRequestAnswer> answer;
    sendRequest(manager, {{"GET", url, std::nullopt, std::nullopt}, "ua"}, limits,
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
