#include "WebRequestProgram/CallableAddress.h"

#include <QHostAddress>

namespace zantiva {

bool isCallableAddress(const QUrl& url) {
    if (url.host().isEmpty()) return false;
    if (url.scheme() == "https") return true;
#ifdef ZANTIVA_LOOPBACK_HTTP_FOR_TESTS
    return url.scheme() == "http" && QHostAddress(url.host()).isLoopback();
#else
    return false;
#endif
}

} // namespace zantiva
