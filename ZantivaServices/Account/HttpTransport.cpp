#include "Account/HttpTransport.h"

#include <memory>

#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSysInfo>
#include <QCoro/QCoroNetworkReply>

#include "Account/APIError.h"

namespace zantiva {
namespace {

constexpr int transferTimeoutMs = 30'000;

// The headers by which HTTP caches and content delivery networks mark a stored answer.
constexpr const char* cacheStatusHeaders[] = {"X-Cache", "X-Cache-Status", "CF-Cache-Status", "X-Proxy-Cache",
                                              "X-Cache-Lookup"};

bool showsSignsOfCache(const QNetworkReply& reply, int status) {
    if (reply.attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool()) return true;
    if (status == 304 || reply.hasRawHeader("Age")) return true;
    for (const char* name : cacheStatusHeaders) {
        const QByteArray value = reply.rawHeader(name).toUpper();
        if (value.contains("HIT") || value.contains("STALE")) return true;
    }
    return false;
}

bool isLoopback(const QUrl& url) {
    const QString host = url.host();
    return host.compare("localhost", Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

struct LaterDeleter {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

} // namespace

QString HttpTransport::defaultUserAgent() {
    return QStringLiteral("ZantivaDiagnostics/" ZANTIVA_VERSION " (Linux ") + QSysInfo::kernelVersion() + ")";
}

HttpTransport::HttpTransport(QString userAgent, Security security)
    : userAgent_(std::move(userAgent)), security_(security) {
    manager_.setCache(nullptr);
}

QCoro::Task<HttpResponse> HttpTransport::send(HttpRequest request) {
    const bool allowed = request.url.scheme() == "https" ||
                         (security_ == Security::allowLoopbackHttp && request.url.scheme() == "http" &&
                          isLoopback(request.url));
    if (!allowed || request.url.host().isEmpty())
        throw APIError::unreachable("refused to send to a non-https address");
    if (closed_) throw APIError::unreachable("the program is closing");

    QNetworkRequest out(request.url);
    out.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    out.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    out.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    out.setTransferTimeout(transferTimeoutMs);
    out.setHeader(QNetworkRequest::UserAgentHeader, userAgent_);
    out.setRawHeader("Accept", "application/json");
    out.setRawHeader("Cache-Control", "no-cache, no-store, max-age=0");
    out.setRawHeader("Pragma", "no-cache");
    if (request.bearerToken)
        out.setRawHeader("Authorization", "Bearer " + QByteArray::fromStdString(*request.bearerToken));
    if (request.jsonBody) out.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");

    std::unique_ptr<QNetworkReply, LaterDeleter> reply(
        manager_.sendCustomRequest(out, request.method, request.jsonBody.value_or(QByteArray())));
    inFlight_.emplace_back(reply.get());
    co_await reply.get();
    std::erase_if(inFlight_, [&](const QPointer<QNetworkReply>& r) { return r.isNull() || r == reply.get(); });

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) throw APIError::unreachable(reply->errorString().toStdString());
    HttpResponse response{status.toInt(), reply->readAll()};
    if (showsSignsOfCache(*reply, response.status)) throw APIError::untrusted(APIError::Untrusted::cached);
    co_return response;
}

void HttpTransport::close() {
    closed_ = true;
    // Aborting finishes the reply at once, and its call goes on from there.
    const auto pending = inFlight_;
    for (const QPointer<QNetworkReply>& reply : pending)
        if (reply) reply->abort();
}

} // namespace zantiva
