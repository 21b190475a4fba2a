#include "App/DesktopOpener.h"

#include <QCoro/QCoroSignal>
#include <QProcess>

#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "desktop";

QCoro::Task<bool> open(QUrl url, std::chrono::milliseconds patience) {
    const QString address = url.toString(QUrl::FullyEncoded);
    // Not owned by this wait: an opener that outlives it keeps running and deletes itself.
    auto* opener = new QProcess;
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->start(QStringLiteral("xdg-open"), {address});
    // Waiting for the start blocks only until exec() has run in the child, and settles an
    // opener that is missing at once. Only a public signal is awaited: QCoro's queued slot
    // binds a private signal's QPrivateSignal argument to a null reference.
    if (opener->waitForStarted(-1)) {
        auto finished = qCoro(opener, &QProcess::finished, patience);
        if (!co_await finished) {
            QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
            co_return true;
        }
    }
    opener->deleteLater();
    const bool opened = opener->error() == QProcess::UnknownError && opener->exitStatus() == QProcess::NormalExit &&
                        opener->exitCode() == 0;
    if (!opened)
        log::error(logCategory, "xdg-open couldn't open " + address.toStdString() + ": " +
                                    (opener->error() == QProcess::UnknownError
                                         ? "exit status " + std::to_string(opener->exitCode())
                                         : opener->errorString().toStdString()));
    co_return opened;
}

} // namespace

UrlOpener desktopOpener(std::chrono::milliseconds patience) {
    return [patience](QUrl url) { return open(std::move(url), patience); };
}

} // namespace zantiva
