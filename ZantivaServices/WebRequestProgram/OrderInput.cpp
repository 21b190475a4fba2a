#include "WebRequestProgram/OrderInput.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace zantiva {

std::variant<QByteArray, std::string> readOrder(int fd, const ExchangeLimits& limits) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limits.orderTime;
    QByteArray text;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return std::string("couldn't read the request: ") + std::strerror(errno);
        if (ready == 0)
            return "the request did not arrive within " + std::to_string(limits.orderTime.count() / 1000) + " s";
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::string("couldn't read the request: ") + std::strerror(errno);
        if (n == 0) return text;
        if (text.size() + n > limits.maxOrderBytes)
            return "the request is larger than " + std::to_string(limits.maxOrderBytes >> 20) + " MiB";
        text.append(buffer, n);
    }
}

} // namespace zantiva
