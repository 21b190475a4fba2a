#include "Account/HttpTransport.h"

#include <coroutine>
#include <csignal>
#include <memory>
#include <sys/prctl.h>

#include <QHostAddress>
#include <QProcess>
#include <QSysInfo>
#include <QTimer>

#include "Account/APIError.h"
#include "Model/JsonCodec.h"
#include "Platform/ProgramFolder.h"
#include "ProcessStart/ByteCommand.h"
#include "WebRequest/WebRequestProtocol.h"

namespace zantiva {
namespace {

bool isLoopback(const QUrl& url) {
    const QString host = url.host();
    return host.compare("localhost", Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

// Resumes the waiting call from within QProcess::finished, not a turn of the event loop later,
// so that close() has ended the calls it killed when it returns. A run still going when `limit`
// passes is killed: its end comes as that of a run killed by close().
struct RunEnd {
    RunEnd(QProcess& process, std::chrono::milliseconds limit) : process(process), limit(limit) {}
    // Taken by the awaiting coroutine before it waits.
    RunEnd(RunEnd&&) = default;
    // A call dropped while it waits is never resumed.
    ~RunEnd() { QObject::disconnect(connection); }

    QProcess& process;
    std::chrono::milliseconds limit;
    QMetaObject::Connection connection;
    std::unique_ptr<QTimer> limitTimer;
    bool overran = false;

    bool await_ready() const { return process.state() == QProcess::NotRunning; }
    void await_suspend(std::coroutine_handle<> waiting) {
        connection = QObject::connect(&process, &QProcess::finished, [this, waiting] {
            QObject::disconnect(connection);
            waiting.resume();
        });
        limitTimer = std::make_unique<QTimer>();
        limitTimer->setSingleShot(true);
        // The run as context: a run the transport deleted with it is not touched.
        QObject::connect(limitTimer.get(), &QTimer::timeout, &process, [this] {
            overran = true;
            process.kill();
        });
        limitTimer->start(limit);
    }
    // Whether the run was ended for outlasting its limit.
    bool await_resume() const { return overran; }
};

// The call may end while the run is still emitting finished: the run goes later.
struct LaterDeleter {
    void operator()(QProcess* process) const { process->deleteLater(); }
};

// The answer of a run of the request program, or why there is none. A run that did not end by
// itself gives none, even when it wrote one.
WebRequestAnswer answerOf(QProcess& process, bool overran, std::chrono::milliseconds limit) {
    if (process.exitStatus() != QProcess::NormalExit)
        return WebRequestFailure{overran ? "the request program did not end within " +
                                               std::to_string(limit.count() / 1000) + " s"
                                         : "the request was stopped"};
    try {
        return decodeAnswer(process.readAllStandardOutput());
    } catch (const json::DecodeError& error) {
        return WebRequestFailure{std::string("the request program gave no answer: ") + error.what()};
    }
}

} // namespace

QString HttpTransport::defaultUserAgent() {
    return QStringLiteral("ZantivaDiagnostics/" ZANTIVA_VERSION " (Linux ") + QSysInfo::kernelVersion() + ")";
}

std::filesystem::path HttpTransport::installedProgram() { return besideThisProgram(webRequestProgramName); }

HttpTransport::HttpTransport(QString userAgent, Security security, std::filesystem::path program,
                             std::chrono::milliseconds runLimit)
    : userAgent_(std::move(userAgent)), security_(security), program_(std::move(program)), runLimit_(runLimit) {}

HttpTransport::~HttpTransport() {
    for (QProcess* process : runs_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly))
        QObject::disconnect(process, &QProcess::finished, nullptr, nullptr);
}

QCoro::Task<HttpResponse> HttpTransport::send(HttpRequest request) {
    const bool allowed = request.url.scheme() == "https" ||
                         (security_ == Security::allowLoopbackHttp && request.url.scheme() == "http" &&
                          isLoopback(request.url));
    if (!allowed || request.url.host().isEmpty())
        throw APIError::unreachable("refused to send to a non-https address");
    if (closed_) throw APIError::unreachable("the program is closing");

    const std::unique_ptr<QProcess, LaterDeleter> run(new QProcess(&runs_));
    QProcess& process = *run;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ByteCommand command({program_.string()});
    const auto notStarted = [this](const std::string& why) {
        return APIError::unreachable("couldn't start " + program_.string() + ": " + why);
    };
    // A run outlived by this program would go on sending; it ends with it instead.
    if (auto failure = command.start(process, QIODevice::ReadWrite, [] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); }))
        throw notStarted(*failure);
    process.write(encodeOrder({std::move(request), userAgent_}));
    process.closeWriteChannel();
    const bool overran = co_await RunEnd(process, runLimit_);
    if (auto failure = command.startFailure()) throw notStarted(*failure);

    WebRequestAnswer answer = answerOf(process, overran, runLimit_);
    if (auto* failure = std::get_if<WebRequestFailure>(&answer)) throw APIError::unreachable(failure->why);
    if (std::holds_alternative<WebRequestCached>(answer)) throw APIError::untrusted(APIError::Untrusted::cached);
    co_return std::get<HttpResponse>(std::move(answer));
}

void HttpTransport::close() {
    closed_ = true;
    // A killed run finishes within the wait, and its call goes on from there as unreachable.
    for (QProcess* process : runs_.findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (process->state() == QProcess::NotRunning) continue;
        process->kill();
        process->waitForFinished(-1);
    }
}

} // namespace zantiva
