#include "WebRequestProgram/NetworkExchange.h"

#include <memory>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace zantiva {
namespace {

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

// Qt reports a 4xx or 5xx status as an error of its own: that is an answer. Any other error
// after the head came means the transfer broke off, and the body is not whole.
bool isStatusError(QNetworkReply::NetworkError error) {
    using E = QNetworkReply::NetworkError;
    switch (error) {
    case E::ProtocolInvalidOperationError:      // 400, 418
    case E::AuthenticationRequiredError:        // 401
    case E::ContentAccessDenied:                // 403
    case E::ContentNotFoundError:               // 404
    case E::ContentOperationNotPermittedError:  // 405
    case E::ContentConflictError:               // 409
    case E::ContentGoneError:                   // 410
    case E::UnknownContentError:                // any other 4xx but 407, a proxy error
    case E::InternalServerError:                // 500
    case E::OperationNotImplementedError:       // 501
    case E::ServiceUnavailableError:            // 503
    case E::UnknownServerError:                 // any other 5xx
        return true;
    default:
        return false;
    }
}

QNetworkRequest networkRequest(const WebRequestOrder& order, const ExchangeLimits& limits) {
    const HttpRequest& request = order.request;
    QNetworkRequest out(request.url);
    out.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    out.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    out.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    out.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    out.setTransferTimeout(static_cast<int>(limits.stallTime.count()));
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

void sendRequest(QNetworkAccessManager& manager, const WebRequestOrder& order, const ExchangeLimits& limits,
                 std::function<void(WebRequestAnswer)> done) {
    manager.setCache(nullptr);
    QNetworkReply* reply = manager.sendCustomRequest(networkRequest(order, limits), order.request.method,
                                                     order.request.jsonBody.value_or(QByteArray()));
    // Why the call was given up midway; the reply then finishes as aborted.
    const auto givenUp = std::make_shared<std::string>();
    const auto giveUp = [reply, givenUp](std::string why) {
        if (!givenUp->empty()) return;
        *givenUp = std::move(why);
        reply->abort();
    };
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, [giveUp, seconds = limits.callTime.count() / 1000] {
        giveUp("the call took longer than " + std::to_string(seconds) + " s");
    });
    deadline->start(limits.callTime);
    // What has come is held in memory until the end: past the bound it is dropped at once.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, giveUp, max = limits.maxAnswerBytes] {
        if (reply->bytesAvailable() > max)
            giveUp("the answer is larger than " + std::to_string(max >> 20) + " MiB");
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, givenUp, done = std::move(done)] {
        reply->deleteLater();
        if (!givenUp->empty()) return done(WebRequestFailure{*givenUp});
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid()) return done(WebRequestFailure{reply->errorString().toStdString()});
        if (reply->error() != QNetworkReply::NoError && !isStatusError(reply->error()))
            return done(WebRequestFailure{"the answer broke off: " + reply->errorString().toStdString()});
        HttpResponse response{status.toInt(), reply->readAll()};
        if (showsSignsOfCache(*reply, response.status)) return done(WebRequestCached{});
        done(std::move(response));
    });
}

} // namespace zantiva
