#pragma once

#include <QUrl>

namespace zantiva {

// Whether the program sends a request to this address at all: https with a host. The build the
// tests use (ZANTIVA_LOOPBACK_HTTP_FOR_TESTS) also lets plain http to a loopback address through;
// the installed program has no such path.
bool isCallableAddress(const QUrl& url);

} // namespace zantiva
