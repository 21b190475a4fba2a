#include "WebRequest/WebRequestProtocol.h"

#include "Model/JsonCodec.h"
#include "WebRequest/HeaderText.h"

namespace zantiva {
namespace {

// Bodies travel as base64: a reply need not be valid UTF-8, and JSON text must be.
std::string toBase64(const QByteArray& bytes) { return bytes.toBase64().toStdString(); }

QByteArray fromBase64(const std::string& text, std::string_view key) {
    auto decoded = QByteArray::fromBase64Encoding(QByteArray::fromStdString(text),
                                                  QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) throw json::DecodeError(std::string(key) + ": not base64");
    return *decoded;
}

// In our words, not the JSON library's: a number too large for a double fails the parse too.
json::Json parse(const QByteArray& text) {
    try {
        return json::Json::parse(text.constData(), text.constData() + text.size());
    } catch (const json::Json::parse_error& error) {
        throw json::DecodeError("not JSON text (at byte " + std::to_string(error.byte) + ")");
    } catch (const json::Json::exception&) {
        throw json::DecodeError("a number out of range");
    }
}

// A value that goes into the request's head as it stands.
std::string headerValue(std::string value, std::string_view key) {
    if (!isHeaderValue(value)) throw json::DecodeError(std::string(key) + ": holds a control character");
    return value;
}

} // namespace

QByteArray encodeOrder(const WebRequestOrder& order) {
    const HttpRequest& request = order.request;
    json::Json j{{"method", request.method.toStdString()},
                 {"url", request.url.toString(QUrl::FullyEncoded).toStdString()},
                 {"user_agent", order.userAgent.toStdString()}};
    if (request.bearerToken) j["bearer_token"] = *request.bearerToken;
    if (request.jsonBody) j["json_body"] = toBase64(*request.jsonBody);
    return QByteArray::fromStdString(j.dump());
}

WebRequestOrder decodeOrder(const QByteArray& text) {
    const json::Json j = parse(text);
    WebRequestOrder order;
    const std::string method = json::required<std::string>(j, "method");
    if (!isToken(method)) throw json::DecodeError("method: not a method name");
    order.request.method = QByteArray::fromStdString(method);
    order.request.url = QUrl(QString::fromStdString(json::required<std::string>(j, "url")), QUrl::StrictMode);
    if (!order.request.url.isValid()) throw json::DecodeError("url: not an address");
    order.userAgent = QString::fromStdString(headerValue(json::required<std::string>(j, "user_agent"), "user_agent"));
    if (auto token = json::optional<std::string>(j, "bearer_token"))
        order.request.bearerToken = headerValue(std::move(*token), "bearer_token");
    if (const auto body = json::optional<std::string>(j, "json_body"))
        order.request.jsonBody = fromBase64(*body, "json_body");
    return order;
}

QByteArray encodeAnswer(const WebRequestAnswer& answer) {
    json::Json j;
    if (const auto* response = std::get_if<HttpResponse>(&answer))
        j = {{"status", response->status}, {"body", toBase64(response->body)}};
    else if (const auto* failure = std::get_if<WebRequestFailure>(&answer))
        j = {{"failure", failure->why}};
    else
        j = {{"cached", true}};
    return QByteArray::fromStdString(j.dump());
}

WebRequestAnswer decodeAnswer(const QByteArray& text) {
    const json::Json j = parse(text);
    if (const auto why = json::optional<std::string>(j, "failure")) return WebRequestFailure{*why};
    if (json::optional<bool>(j, "cached").value_or(false)) return WebRequestCached{};
    const auto status = json::required<std::int64_t>(j, "status");
    if (status < 100 || status > 999) throw json::DecodeError("status: not a three-digit status");
    return HttpResponse{static_cast<int>(status), fromBase64(json::required<std::string>(j, "body"), "body")};
}

} // namespace zantiva
