#pragma once

// A small HTTP/1.1 server on 127.0.0.1 that plays the website's REST API for the tests:
// each endpoint answers through a handler the test sets, every request is recorded, and
// an unknown path gets the WordPress "no route" error. It runs on the test's own thread,
// so it answers while the client awaits its reply.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QTcpServer>
#include <QUrl>
#include <QUrlQuery>

#include "Account/SiteProfile.h"
#include "Model/JsonCodec.h"

namespace zantiva::testing {

struct RecordedRequest {
    QByteArray method;
    QString endpoint; // the path under /wp-json/zantiva/v1/
    QUrlQuery query;
    std::map<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;

    QByteArray header(const QByteArray& lowerCaseName) const;
    json::Json jsonBody() const;
};

struct CannedReply {
    int status = 200;
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;

    static CannedReply object(int status, const json::Json& body);
    // A WordPress REST error: {"code", "message", "data": {"status"}}.
    static CannedReply error(int status, const std::string& code, const std::string& message);
};

class LoopbackServer {
public:
    using Handler = std::function<CannedReply(const RecordedRequest&)>;

    LoopbackServer();

    QUrl baseURL() const;
    // A site of that domain served here.
    SiteProfile site(const std::string& domain) const { return {domain, baseURL()}; }

    void on(const QString& endpoint, Handler handler) { handlers_[endpoint] = std::move(handler); }
    void answer(const QString& endpoint, CannedReply reply) {
        on(endpoint, [reply](const RecordedRequest&) { return reply; });
    }

    const std::vector<RecordedRequest>& requests() const { return requests_; }
    int count(const QString& endpoint) const;

private:
    void serve(QTcpSocket* socket);
    CannedReply dispatch(const RecordedRequest& request);

    QTcpServer server_;
    std::map<QString, Handler> handlers_;
    std::vector<RecordedRequest> requests_;
};

} // namespace zantiva::testing
