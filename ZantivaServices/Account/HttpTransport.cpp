#include "Account/HttpTransport.h"

#include <csignal>
#include <sys/prctl.h>

#include <QHostAddress>
#include <QSysInfo>
#include <QCoro/QCoroProcess>

#include "Account/APIError.h"
#include "Model/JsonCodec.h"
#include "Platform/ProgramFolder.h"
#include "WebRequest/WebRequestProtocol.h"

namespace zantiva {
namespace {

bool isLoopback(const QUrl& url) {
    const QString host = url.host();
    return host.compare("localhost", Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

// The answer of a run of the request program, or why there is none.
WebRequestAnswer answerOf(QProcess& process) {
    if (process.exitStatus() != QProcess::NormalExit) return WebRequestFailure{"the request was stopped"};
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

HttpTransport::HttpTransport(QString userAgent, Security security, std::filesystem::path program)
    : userAgent_(std::move(userAgent)), security_(security), program_(std::move(program)) {}

QCoro::Task<HttpResponse> HttpTransport::send(HttpRequest request) {
    const bool allowed = request.url.scheme() == "https" ||
                         (security_ == Security::allowLoopbackHttp && request.url.scheme() == "http" &&
                          isLoopback(request.url));
    if (!allowed || request.url.host().isEmpty())
        throw APIError::unreachable("refused to send to a non-https address");
    if (closed_) throw APIError::unreachable("the program is closing");

    QProcess process;
    process.setProgram(QString::fromStdString(program_.string()));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A run outlived by this program would go on sending; it ends with it instead.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // Waiting for the start blocks only until exec() has run in the child; QCoro's
    // asynchronous wait never returns when the start fails at once.
    process.start();
    if (!process.waitForStarted(-1))
        throw APIError::unreachable("couldn't start " + program_.string() + ": " + process.errorString().toStdString());
    process.write(encodeOrder({std::move(request), userAgent_}));
    process.closeWriteChannel();

    inFlight_.emplace_back(&process);
    co_await qCoro(process).waitForFinished(-1);
    std::erase_if(inFlight_, [&](const QPointer<QProcess>& p) { return p.isNull() || p == &process; });

    WebRequestAnswer answer = answerOf(process);
    if (auto* failure = std::get_if<WebRequestFailure>(&answer)) throw APIError::unreachable(failure->why);
    if (std::holds_alternative<WebRequestCached>(answer)) throw APIError::untrusted(APIError::Untrusted::cached);
    co_return std::get<HttpResponse>(std::move(answer));
}

void HttpTransport::close() {
    closed_ = true;
    // A killed run finishes, and its call goes on from there as unreachable.
    for (const QPointer<QProcess>& process : inFlight_)
        if (process) process->kill();
}

} // namespace zantiva
