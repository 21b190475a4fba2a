#pragma once

#include <functional>

#include <QCoro/QCoroTask>
#include <QUrl>

namespace zantiva {

// Opens an address in the desktop's application for it (a page in the browser, a file in
// its application); true when it opened.
using UrlOpener = std::function<QCoro::Task<bool>(QUrl)>;

} // namespace zantiva
