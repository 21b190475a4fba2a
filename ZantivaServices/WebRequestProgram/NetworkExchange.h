#pragma once

#include <functional>

#include "WebRequest/WebRequestProtocol.h"
#include "WebRequestProgram/ExchangeLimits.h"

class QNetworkAccessManager;

namespace zantiva {

// Sends one request the way the program talks to its websites: no cache and no cookies in
// either direction, no redirects followed, no-cache request headers, the given user agent
// and, when given, the bearer token. `done` gets the answer once the request ends; a reply
// that shows signs of having come from a cache answers WebRequestCached. A transfer that
// breaks off, stalls, outgrows the limits' answer size or outlasts their call time is a
// failure that says which.
void sendRequest(QNetworkAccessManager& manager, const WebRequestOrder& order, const ExchangeLimits& limits,
                 std::function<void(WebRequestAnswer)> done);

} // namespace zantiva
