#pragma once

#include <string>
#include <variant>

#include <QByteArray>

#include "WebRequestProgram/ExchangeLimits.h"

namespace zantiva {

// Reads the order from `fd` to its end, within the limits' size and time for it: the text,
// or why there is none (too large, too slow, unreadable).
std::variant<QByteArray, std::string> readOrder(int fd, const ExchangeLimits& limits);

} // namespace zantiva
