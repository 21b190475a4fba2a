#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <string>

#include "Localization/LocalizedMessage.h"
#include "ExternalRun/UrlOpener.h"

namespace zantiva {

// An address as the status line shows it, for the user to copy.
std::string addressText(const QUrl& url);

// Opens the address; when that fails while owner is still there, say gets the failure's
// message with the address.
QCoro::Task<> openOrSay(const UrlOpener& open, QUrl address, std::string failureKey, QPointer<QObject> owner,
                        std::function<void(LocalizedMessage)> say);

} // namespace zantiva
