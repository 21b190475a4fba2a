#include "WebRequestProgram/NetworkExchange.h"

#include <QSslSocket>
#include <QTimer>

#include "WebRequestProgram/AnswerReader.h"
#include "WebRequestProgram/RequestText.h"

namespace zantiva {
namespace {

// The headers by which HTTP caches and content delivery networks mark a stored answer.
constexpr const char* cacheStatusHeaders[] = {"X-Cache", "X-Cache-Status", "CF-Cache-Status", "X-Proxy-Cache",
                                              "X-Cache-Lookup"};

bool showsSignsOfCache(const AnswerHead& head) {
    if (head.status() == 304 || !head.values("Age").isEmpty()) return true;
    for (const char* name : cacheStatusHeaders)
        for (const QByteArray& value : head.values(name))
            if (value.toUpper().contains("HIT") || value.toUpper().contains("STALE")) return true;
    return false;
}

std::string seconds(std::chrono::milliseconds time) { return std::to_string(time.count() / 1000) + " s"; }

// One call: its connection, its two timers and what has come. Qt's own HTTP client holds an
// answer's head in memory without a bound before the caller sees a byte of it; here every
// byte passes the reader, which bounds the whole answer. Deletes itself once it has answered.
class Call : public QObject {
public:
    Call(const WebRequestOrder& order, const ExchangeLimits& limits, std::function<void(WebRequestAnswer)> done)
        : reader_(order.request.method == "HEAD", limits.maxAnswerBytes), done_(std::move(done)) {
        const QUrl& url = order.request.url;
        const bool tls = url.scheme() == "https";
        watchConnection(requestText(order), tls);
        startTimers(limits);
        // Connecting may fail at once (no route, no TLS backend): the failure then comes from the
        // event loop as any other does, never before the caller is ready to end on it.
        QMetaObject::invokeMethod(this, [this, host = url.host(), port = quint16(url.port(tls ? 443 : 80)), tls] {
            if (tls) socket_.connectToHostEncrypted(host, port);
            else socket_.connectToHost(host, port);
        }, Qt::QueuedConnection);
    }

private:
    void watchConnection(const QByteArray& request, bool tls) {
        // What the connection holds before the reader takes it stays small, whatever comes.
        socket_.setReadBufferSize(64 * 1024);
        const auto send = [this, request] {
            progressed();
            socket_.write(request);
        };
        QObject::connect(&socket_, &QAbstractSocket::connected, this,
                         [this, tls, send] { tls ? progressed() : send(); });
        QObject::connect(&socket_, &QSslSocket::encrypted, this, send);
        QObject::connect(&socket_, &QIODevice::bytesWritten, this, [this] { progressed(); });
        QObject::connect(&socket_, &QIODevice::readyRead, this, [this] {
            progressed();
            taken(reader_.take(socket_.readAll()));
        });
        // Over TLS the site's end of the session (close_notify) is what tells an answer that ends
        // at the close from one cut short: a close of the connection alone can be anyone's on the
        // way. Qt reports the alert before the close it causes.
        closedCleanly_ = !tls;
        QObject::connect(&socket_, &QSslSocket::alertReceived, this, [this](QSsl::AlertLevel, QSsl::AlertType type) {
            if (type == QSsl::AlertType::CloseNotify) closedCleanly_ = true;
        });
        // A site may end TLS and still hold the connection open: Qt then reports the close as an
        // error and never disconnects, so the error ends an answer that ends at the close.
        QObject::connect(&socket_, &QAbstractSocket::disconnected, this, [this] { closed(); });
        QObject::connect(&socket_, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError) return closed();
            const std::string why = socket_.errorString().toStdString();
            end(WebRequestFailure{reader_.started() ? "the answer broke off: " + why : why});
        });
    }

    void startTimers(const ExchangeLimits& limits) {
        stall_.setSingleShot(true);
        stall_.setInterval(limits.stallTime);
        QObject::connect(&stall_, &QTimer::timeout, this, [this, time = limits.stallTime] {
            end(WebRequestFailure{"the call made no progress for " + seconds(time)});
        });
        deadline_.setSingleShot(true);
        QObject::connect(&deadline_, &QTimer::timeout, this, [this, time = limits.callTime] {
            end(WebRequestFailure{"the call took longer than " + seconds(time)});
        });
        deadline_.start(limits.callTime);
        stall_.start();
    }

    void progressed() { stall_.start(); }

    // The site closed the connection, which may be where its answer ends.
    void closed() {
        if (ended_) return; // our own abort, or the answer had ended
        if (socket_.isReadable()) reader_.take(socket_.readAll());
        taken(reader_.close(closedCleanly_));
    }

    void taken(const AnswerReader::Outcome& outcome) {
        if (const auto* why = std::get_if<std::string>(&outcome)) return end(WebRequestFailure{*why});
        const auto* answer = std::get_if<AnswerReader::Answer>(&outcome);
        if (!answer) return;
        if (showsSignsOfCache(answer->head)) return end(WebRequestCached{});
        end(HttpResponse{answer->head.status(), answer->body});
    }

    void end(WebRequestAnswer answer) {
        if (ended_) return;
        ended_ = true;
        stall_.stop();
        deadline_.stop();
        socket_.abort();
        deleteLater();
        done_(std::move(answer));
    }

    QSslSocket socket_{this};
    QTimer stall_{this};
    QTimer deadline_{this};
    AnswerReader reader_;
    std::function<void(WebRequestAnswer)> done_;
    bool closedCleanly_ = false;
    bool ended_ = false;
};

} // namespace

void sendRequest(const WebRequestOrder& order, const ExchangeLimits& limits,
                 std::function<void(WebRequestAnswer)> done) {
    new Call(order, limits, std::move(done));
}

} // namespace zantiva
