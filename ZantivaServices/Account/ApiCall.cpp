#include "Account/ApiCall.h"

#include "Account/APIError.h"

namespace zantiva {
namespace {

// WordPress REST errors: {"code": "…", "message": "…", "data": {"status": …}}.
APIError rejection(int status, const QByteArray& body) {
    const auto j = json::Json::parse(body.constData(), body.constData() + body.size(), nullptr, false);
    std::string code, message;
    if (j.is_object()) {
        if (const auto it = j.find("code"); it != j.end() && it->is_string()) code = it->get<std::string>();
        if (const auto it = j.find("message"); it != j.end() && it->is_string()) message = it->get<std::string>();
    }
    return APIError::rejected(status, std::move(code), std::move(message));
}

} // namespace

QCoro::Task<json::Json> callAPI(HttpTransport& transport, SiteProfile site, ApiRequest request) {
    QUrl url = site.apiURL(request.endpoint);
    if (!request.query.isEmpty()) url.setQuery(request.query);
    std::optional<QByteArray> body;
    if (request.body) body = QByteArray::fromStdString(request.body->dump());
    const bool withToken = request.bearerToken.has_value();

    HttpRequest out{request.method, url, std::move(request.bearerToken), std::move(body)};
    auto sending = transport.send(std::move(out));
    const HttpResponse response = co_await std::move(sending);

    const int status = response.status;
    if (status >= 200 && status < 300) {
        const QByteArray& text = response.body;
        if (text.trimmed().isEmpty()) throw APIError::untrusted(APIError::Untrusted::empty);
        auto j = json::Json::parse(text.constData(), text.constData() + text.size(), nullptr, false);
        if (j.is_discarded() || !j.is_object())
            throw APIError::untrusted(APIError::Untrusted::undecodable, "not a JSON object");
        co_return j;
    }
    if (status == 401 && withToken) throw APIError::unauthorized();
    if (status == 429) throw APIError::rateLimited();
    if (status >= 400 && status < 500) throw rejection(status, response.body);
    throw APIError::server(status);
}

} // namespace zantiva
