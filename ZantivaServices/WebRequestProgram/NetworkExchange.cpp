#include "WebRequestProgram/NetworkExchange.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

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

QNetworkRequest networkRequest(const WebRequestOrder& order) {
    const HttpRequest& request = order.request;
    QNetworkRequest out(request.url);
    out.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    out.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    out.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    out.setTransferTimeout(transferTimeoutMs);
    out.setHeader(QNetworkRequest::UserAgentHeader, order.userAgent);
    out.setRawHeader("Accept", "application/json");
    out.setRawHeader("Cache-Control", "no-cache, no-store, max-age=0");
    out.setRawHeader("Pragma", "no-cache");
    if (request.bearerToken)
        out.setRawHeader("Authorization", "Bearer " + QByteArray::fromStdString(*request.bearerToken));
    if (request.jsonBody) out.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    return out;
}

} // namespace

void sendRequest(QNetworkAccessManager& manager, const WebRequestOrder& order,
                 std::function<void(WebRequestAnswer)> done) {
    manager.setCache(nullptr);
    QNetworkReply* reply = manager.sendCustomRequest(networkRequest(order), order.request.method,
                                                     order.request.jsonBody.value_or(QByteArray()));
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid()) return done(WebRequestFailure{reply->errorString().toStdString()});
        HttpResponse response{status.toInt(), reply->readAll()};
        if (showsSignsOfCache(*reply, response.status)) return done(WebRequestCached{});
        done(std::move(response));
    });
}

} // namespace zantiva
