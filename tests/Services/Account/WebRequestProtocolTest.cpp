// What passes between the transport and the request program: every part of a request and of an
// answer arrives whole, bodies that aren't text included, and garbage is never taken for one.

#include <gtest/gtest.h>

#include <functional>

#include "Model/JsonCodec.h"
#include "WebRequest/WebRequestProtocol.h"

using namespace zantiva;

namespace {

TEST(WebRequestProtocol, RequestsAndAnswersArriveWhole) {
    const QByteArray binary("\x00\xff{\"a\":1}\n\xc3", 12);
    const WebRequestOrder order{{"POST", QUrl("https://zantiva.com/wp-json/zantiva/v1/device?x=%C3%A9"),
                                 std::string("token with spaces"), binary},
                                "ZantivaDiagnostics/1.0.0 (Linux test)"};
    const WebRequestOrder read = decodeOrder(encodeOrder(order));
    EXPECT_EQ(read.request.method, "POST");
    EXPECT_EQ(read.request.url, order.request.url);
    EXPECT_EQ(read.request.bearerToken, "token with spaces");
    EXPECT_EQ(read.request.jsonBody, binary);
    EXPECT_EQ(read.userAgent, order.userAgent);

    const WebRequestOrder bare = decodeOrder(encodeOrder({{"GET", QUrl("https://zantiva.ir/"), {}, {}}, "ua"}));
    EXPECT_FALSE(bare.request.bearerToken);
    EXPECT_FALSE(bare.request.jsonBody);

    const auto response = std::get<HttpResponse>(decodeAnswer(encodeAnswer(HttpResponse{503, binary})));
    EXPECT_EQ(response.status, 503);
    EXPECT_EQ(response.body, binary);
    EXPECT_EQ(std::get<WebRequestFailure>(decodeAnswer(encodeAnswer(WebRequestFailure{"refused"}))).why, "refused");
    EXPECT_TRUE(std::holds_alternative<WebRequestCached>(decodeAnswer(encodeAnswer(WebRequestCached{}))));
}

TEST(WebRequestProtocol, WhatIsNotARequestOrAnAnswerIsRefused) {
    for (const char* text : {"", "not json", "[]", R"({"url":"https://zantiva.com/","user_agent":"ua"})",
                             R"({"method":"GET","url":"https://zantiva.com/","user_agent":"ua","json_body":"*"})"})
        EXPECT_THROW(decodeOrder(text), json::DecodeError) << text;
    for (const char* text : {"", "{", R"({"status":200})", R"({"status":"200","body":""})",
                             R"({"status":200,"body":"!!"})"})
        EXPECT_THROW(decodeAnswer(text), json::DecodeError) << text;
}

// A refusal says what is wrong in our words, never in the JSON library's.
std::string refusal(const std::function<void()>& decode) {
    try {
        decode();
    } catch (const json::DecodeError& error) {
        return error.what();
    } catch (const std::exception& error) {
        return std::string("escaped: ") + error.what();
    }
    return "accepted";
}

TEST(WebRequestProtocol, NumbersOutOfRangeAndHeaderLinesAreRefusedInOurWords) {
    const std::string order = R"({"method":"GET","url":"https://zantiva.com/","user_agent":"ua")";
    EXPECT_EQ(refusal([&] { decodeOrder(QByteArray::fromStdString(order + R"(,"n":1e999})")); }),
              "a number out of range");
    EXPECT_EQ(refusal([] { decodeAnswer(R"({"status":1e999,"body":""})"); }), "a number out of range");
    EXPECT_EQ(refusal([] { decodeAnswer(R"({"status":4294967496,"body":""})"); }), "status: not a three-digit status");
    EXPECT_EQ(refusal([] { decodeAnswer(R"({"status":42,"body":""})"); }), "status: not a three-digit status");
    EXPECT_EQ(refusal([] { decodeAnswer("{\"status\""); }), "not JSON text (at byte 10)");

    EXPECT_EQ(refusal([&] { decodeOrder(QByteArray::fromStdString(order + R"(,"bearer_token":"a\r\nX: 1"})")); }),
              "bearer_token: holds a control character");
    EXPECT_EQ(refusal([&] { decodeOrder(R"({"method":"GET","url":"https://zantiva.com/","user_agent":"ua\u0000"})"); }),
              "user_agent: holds a control character");
    EXPECT_EQ(refusal([&] { decodeOrder(R"({"method":"GET /","url":"https://zantiva.com/","user_agent":"ua"})"); }),
              "method: not a method name");
    EXPECT_EQ(refusal([&] { decodeOrder(QByteArray::fromStdString(order + R"(,"bearer_token":null})")); }), "accepted");
}

} // namespace
