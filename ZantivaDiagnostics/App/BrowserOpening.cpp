#include "App/BrowserOpening.h"

namespace zantiva {

std::string addressText(const QUrl& url) { return url.toString(QUrl::FullyEncoded).toStdString(); }

QCoro::Task<> openOrSay(const UrlOpener& open, QUrl address, std::string failureKey, QPointer<QObject> owner,
                        std::function<void(LocalizedMessage)> say) {
    auto opening = open(address);
    const bool opened = co_await opening;
    if (owner && !opened) say(LocalizedMessage(failureKey, addressText(address)));
}

} // namespace zantiva
