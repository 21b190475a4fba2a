#include "Support/LoopbackServer.h"

#include <stdexcept>

#include <QTcpSocket>

namespace zantiva::testing {
namespace {

const QString apiPrefix = "/wp-json/zantiva/v1/";

const char* reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// The request once its head and body are in the buffer; false while more must come.
bool parse(const QByteArray& buffer, RecordedRequest& request) {
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) return false;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.front().trimmed().split(' ');
    if (requestLine.size() < 2) throw std::runtime_error("bad request line");
    request.method = requestLine[0];
    const QUrl target("http://loopback" + QString::fromLatin1(requestLine[1]));
    request.endpoint = target.path().startsWith(apiPrefix) ? target.path().mid(apiPrefix.size()) : target.path();
    request.query = QUrlQuery(target);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
    }
    const qsizetype length = request.header("content-length").toLongLong();
    if (buffer.size() - headEnd - 4 < length) return false;
    request.body = buffer.mid(headEnd + 4, length);
    return true;
}

} // namespace

QByteArray RecordedRequest::header(const QByteArray& lowerCaseName) const {
    const auto it = headers.find(lowerCaseName);
    return it == headers.end() ? QByteArray() : it->second;
}

json::Json RecordedRequest::jsonBody() const { return json::Json::parse(body.toStdString(), nullptr, false); }

CannedReply CannedReply::object(int status, const json::Json& body) {
    return {status, QByteArray::fromStdString(body.dump()), {{"Content-Type", "application/json"}}};
}

CannedReply CannedReply::error(int status, const std::string& code, const std::string& message) {
    return object(status, {{"code", code}, {"message", message}, {"data", {{"status", status}}}});
}

LoopbackServer::LoopbackServer() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) throw std::runtime_error("loopback server can't listen");
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) serve(socket);
    });
}

QUrl LoopbackServer::baseURL() const {
    return QUrl("http://127.0.0.1:" + QString::number(server_.serverPort()) + "/");
}

int LoopbackServer::count(const QString& endpoint) const {
    int n = 0;
    for (const auto& request : requests_) n += request.endpoint == endpoint;
    return n;
}

void LoopbackServer::serve(QTcpSocket* socket) {
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        RecordedRequest request;
        if (!parse(*buffer, request)) return;
        buffer->clear();
        requests_.push_back(request);
        const CannedReply reply = dispatch(request);
        QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + " " + reason(reply.status) + "\r\n";
        for (const auto& [name, value] : reply.headers) out += name + ": " + value + "\r\n";
        out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body;
        socket->write(out);
        socket->disconnectFromHost();
    });
}

CannedReply LoopbackServer::dispatch(const RecordedRequest& request) {
    const auto it = handlers_.find(request.endpoint);
    if (it == handlers_.end()) return CannedReply::error(404, "rest_no_route", "No route was found.");
    return it->second(request);
}

} // namespace zantiva::testing
