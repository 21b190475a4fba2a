#pragma once

#include <QByteArray>

#include "WebRequest/WebRequestProtocol.h"

namespace zantiva {

// The order's request as it goes on the wire: HTTP/1.1, one request per connection, asking
// for the answer as it stands (no compression, which could not be read whole within the
// answer's bound), with the no-cache headers, the user agent and, when given, the bearer
// token and the JSON body. The order's values were checked for line breaks when it was read.
QByteArray requestText(const WebRequestOrder& order);

} // namespace zantiva
