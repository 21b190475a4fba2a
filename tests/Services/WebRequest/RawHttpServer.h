#pragma once

// A loopback server that answers each request with whatever its test writes on the socket,
// for the answers a real website should never give: a body cut off, a head or a body without
// end, one a byte at a time. Given a TLS configuration (its certificate and key), it speaks
// TLS and answers once the handshake is done.

#include <chrono>
#include <functional>
#include <memory>

#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace zantiva::testing {

class RawHttpServer {
public:
    using Answer = std::function<void(QTcpSocket&)>;

    explicit RawHttpServer(Answer answer) : RawHttpServer(std::make_unique<QTcpServer>(), std::move(answer)) {}

    RawHttpServer(Answer answer, const QSslConfiguration& tls)
        : RawHttpServer(tlsServer(tls), std::move(answer)) {}

    QUrl url() const {
        const auto scheme = qobject_cast<QSslServer*>(server_.get()) ? QStringLiteral("https") : QStringLiteral("http");
        return QUrl(QStringLiteral("%1://127.0.0.1:%2/").arg(scheme).arg(server_->serverPort()));
    }

    // A head of 200 OK with these further header lines (each ending in \r\n).
    static QByteArray head(const QByteArray& headers) { return "HTTP/1.1 200 OK\r\n" + headers + "\r\n"; }

    // Writes `start`, then `chunk` again and again without end, as fast as the client takes it.
    static Answer flood(QByteArray start, QByteArray chunk) {
        return [start = std::move(start), chunk = std::move(chunk)](QTcpSocket& socket) {
            socket.write(start);
            QObject::connect(&socket, &QTcpSocket::bytesWritten, &socket, [&socket, chunk] {
                if (socket.bytesToWrite() < chunk.size()) socket.write(chunk);
            });
            socket.write(chunk);
        };
    }

    // Writes the body without end.
    static void endless(QTcpSocket& socket) {
        flood(head("Content-Type: application/json\r\nConnection: close\r\n"), QByteArray(64 * 1024, ' '))(socket);
    }

    // Announces a body and sends one byte of it every `interval`, never reaching its end.
    static void dribble(QTcpSocket& socket, std::chrono::milliseconds interval) {
        socket.write(head("Content-Length: 100000\r\n"));
        auto* timer = new QTimer(&socket);
        QObject::connect(timer, &QTimer::timeout, &socket, [&socket] { socket.write(" "); });
        timer->start(interval);
    }

private:
    RawHttpServer(std::unique_ptr<QTcpServer> server, Answer answer)
        : server_(std::move(server)), answer_(std::move(answer)) {
        server_->listen(QHostAddress::LocalHost);
        // A TLS connection is pending only once its handshake is done.
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket* socket = server_->nextPendingConnection()) serve(socket);
        });
    }

    static std::unique_ptr<QTcpServer> tlsServer(const QSslConfiguration& tls) {
        auto server = std::make_unique<QSslServer>();
        server->setSslConfiguration(tls);
        return server;
    }

    void serve(QTcpSocket* socket) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto head = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
            if (head->contains("\r\n\r\n")) return; // answered already; what follows is ignored
            *head += socket->readAll();
            if (!head->contains("\r\n\r\n")) return;
            answer_(*socket);
        });
    }

    std::unique_ptr<QTcpServer> server_;
    Answer answer_;
};

} // namespace zantiva::testing
