#pragma once

// What the transport and the request program (zantiva-web-request) say to each other: one
// JSON document on the program's standard input (the request; a bearer token never goes on
// a command line, where every user of the machine could read it) and one on its standard
// output (the answer).

#include <chrono>
#include <string>
#include <variant>

#include <QByteArray>
#include <QString>

#include "WebRequest/HttpMessage.h"

namespace zantiva {

inline constexpr const char* webRequestProgramName = "zantiva-web-request";
// The longest a run's call may take, from connecting to the answer's last byte; the run gives up
// then, and the transport allows a run a little more before it ends it.
inline constexpr std::chrono::milliseconds webRequestCallTime{60'000};

struct WebRequestOrder {
    HttpRequest request;
    QString userAgent;
};

// No HTTP answer came: the network's or the program's reason.
struct WebRequestFailure {
    std::string why;
};

// An answer came that shows signs of having been stored by a cache on the way.
struct WebRequestCached {};

using WebRequestAnswer = std::variant<HttpResponse, WebRequestFailure, WebRequestCached>;

QByteArray encodeOrder(const WebRequestOrder& order);
// json::DecodeError when the text is not an order.
WebRequestOrder decodeOrder(const QByteArray& text);

QByteArray encodeAnswer(const WebRequestAnswer& answer);
// json::DecodeError when the text is not an answer.
WebRequestAnswer decodeAnswer(const QByteArray& text);

} // namespace zantiva
