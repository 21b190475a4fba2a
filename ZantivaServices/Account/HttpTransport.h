#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QCoro/QCoroTask>

namespace zantiva {

struct HttpRequest {
    QByteArray method = "GET";
    QUrl url;
    std::optional<std::string> bearerToken;
    std::optional<QByteArray> jsonBody;
};

struct HttpResponse {
    int status = 0;
    QByteArray body;
};

// The one way the program talks to its websites: HTTPS only, no cache and no cookies in
// either direction, no redirects followed, no-cache request headers, the program's user
// agent and, when given, the session's bearer token. A reply that shows signs of having
// come from a cache is refused. Main thread only.
class HttpTransport {
public:
    enum class Security {
        httpsOnly,         // the program's only setting
        allowLoopbackHttp, // tests: plain http to a loopback address is let through too
    };

    // "ZantivaDiagnostics/<version> (Linux <kernel release>)"
    static QString defaultUserAgent();

    explicit HttpTransport(QString userAgent = defaultUserAgent(), Security security = Security::httpsOnly);
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    // The reply's status and body, whatever the status. APIError: unreachable when no HTTP
    // answer came (or the address is not allowed), untrusted when it came from a cache.
    QCoro::Task<HttpResponse> send(HttpRequest request);

    // Ends every request still in flight as unreachable, at once, and refuses new ones. The
    // owner of the waiting calls does this while it is still whole, before it goes: a reply
    // deleted with its network manager never finishes, and its callers would wait forever.
    void close();

private:
    QString userAgent_;
    Security security_;
    QNetworkAccessManager manager_;
    std::vector<QPointer<QNetworkReply>> inFlight_;
    bool closed_ = false;
};

} // namespace zantiva
