#pragma once

#include <chrono>

#include <QtGlobal>

#include "WebRequest/WebRequestProtocol.h"

namespace zantiva {

// How much a run of the request program takes in and how long it may take. The sites' answers
// and the program's requests are a few KiB of JSON; the bounds sit far above that and far
// below what would hurt the machine.
struct ExchangeLimits {
    qint64 maxOrderBytes = 4 << 20;
    std::chrono::milliseconds orderTime{10'000};
    qint64 maxAnswerBytes = 4 << 20;                         // the whole answer as it comes, head included
    std::chrono::milliseconds stallTime{30'000};             // without progress
    std::chrono::milliseconds callTime = webRequestCallTime; // the whole call, from connecting to the last byte
};

} // namespace zantiva
