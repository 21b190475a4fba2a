#pragma once

#include <functional>

#include "WebRequest/WebRequestProtocol.h"
#include "WebRequestProgram/ExchangeLimits.h"

namespace zantiva {

// Sends one request the way the program talks to its websites: HTTP/1.1 on a connection of
// its own (TLS for https), no cache and no cookies in either direction, no redirects followed,
// no-cache request headers, the given user agent and, when given, the bearer token. `done`
// gets the answer from the event loop once the request ends, never before this returns; a
// reply that shows signs of having come from a cache answers WebRequestCached. A transfer that
// breaks off, stalls, outgrows the limits' answer size (head included) or outlasts their call
// time is a failure that says which, and so is an answer that could not be read whole
// (compressed, framed in a way HTTP/1.1 does not allow, or, over TLS, ended by a close of the
// connection without the end of the TLS session).
void sendRequest(const WebRequestOrder& order, const ExchangeLimits& limits,
                 std::function<void(WebRequestAnswer)> done);

} // namespace zantiva
