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
    // Ends when the opener has ended or could not start.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (opener->state() != QProcess::NotRunning) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
            co_return true;
        }
        auto change = qCoro(opener, &QProcess::stateChanged, left);
        co_await change;
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
