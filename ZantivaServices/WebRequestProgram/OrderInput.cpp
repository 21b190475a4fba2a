#include "WebRequestProgram/OrderInput.h"

#include "Platform/DescriptorIO.h"

namespace zantiva {

std::variant<QByteArray, std::string> readOrder(int fd, const ExchangeLimits& limits) {
    const auto deadline = std::chrono::steady_clock::now() + limits.orderTime;
    QByteArray text;
    char buffer[65536];
    for (;;) {
        const ReadStep step = readWhenReady(fd, buffer, deadline);
        switch (step.outcome) {
        case ReadOutcome::endOfStream: return text;
        case ReadOutcome::nothingYet:
            return "the request did not arrive within " + std::to_string(limits.orderTime.count() / 1000) + " s";
        case ReadOutcome::failed: return "couldn't read the request: " + step.error.message();
        case ReadOutcome::data: break;
        }
        if (text.size() + qint64(step.size) > limits.maxOrderBytes)
            return "the request is larger than " + std::to_string(limits.maxOrderBytes >> 20) + " MiB";
        text.append(buffer, qsizetype(step.size));
    }
}

} // namespace zantiva
