#include "Platform/DescriptorIO.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace zantiva {
namespace {

// Rounded up, so that a wait that found nothing really lasted until `until`.
int millisecondsUntil(std::chrono::steady_clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

std::error_code lastError() { return {errno, std::generic_category()}; }

std::error_code writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        // Non-blocking (another program may have made a pipe it shares so) and full for now:
        // wait until it takes more.
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd room{fd, POLLOUT, 0};
            if (::poll(&room, 1, -1) < 0 && errno != EINTR) return lastError();
            continue;
        }
        if (n < 0) return lastError();
        // A write that takes nothing would be tried again forever.
        if (n == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(std::size_t(n));
    }
    return {};
}

ReadStep readWhenReady(int fd, std::span<char> buffer, std::chrono::steady_clock::time_point until) {
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, millisecondsUntil(until));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return {ReadOutcome::failed, 0, lastError()};
        if (ready == 0) return {ReadOutcome::nothingYet};
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {ReadOutcome::failed, 0, lastError()};
        if (n == 0) return {ReadOutcome::endOfStream};
        return {ReadOutcome::data, std::size_t(n)};
    }
}

std::vector<bool> awaitReadable(std::span<const int> fds, std::chrono::steady_clock::time_point until) {
    std::vector<pollfd> watched;
    for (const int fd : fds) watched.push_back({fd, POLLIN, 0});
    for (;;) {
        const int ready = ::poll(watched.data(), watched.size(), millisecondsUntil(until));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return std::vector<bool>(fds.size(), true);
        std::vector<bool> readable;
        for (const auto& p : watched) readable.push_back(p.revents != 0);
        return readable;
    }
}

std::optional<std::string> readUpTo(int fd, std::size_t maxBytes) {
    std::string out;
    char buffer[16384];
    while (out.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - out.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        out.append(buffer, std::size_t(n));
    }
    return out;
}

} // namespace zantiva
