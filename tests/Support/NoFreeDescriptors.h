#pragma once

// While it lives, this process can open nothing: the soft limit on descriptors is lowered
// to the lowest free one, so the next open (a folder's included) fails with EMFILE, as it
// does in a process that has run out of them. Only for a test that runs on one thread;
// the limit is restored when it ends.

#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace zantiva::testing {

class NoFreeDescriptors {
public:
    // Why a process can't be left without descriptors here: the sanitizers' check of an object's
    // type writes it through a pipe of its own, and without one it reports a sound call as a
    // fault. The sanitizer build turns AddressSanitizer and UndefinedBehaviorSanitizer on together.
    static std::optional<std::string> unavailable() {
#if defined(__SANITIZE_ADDRESS__)
        return "the sanitizers need free descriptors for their own checks";
#else
        return std::nullopt;
#endif
    }

    // `room`: that many descriptors are left to be had, above the lowest free one.
    explicit NoFreeDescriptors(int room = 0) {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(lowestFree);
        rlimit none = saved_;
        none.rlim_cur = static_cast<rlim_t>(lowestFree + room);
        ::setrlimit(RLIMIT_NOFILE, &none);
    }
    NoFreeDescriptors(const NoFreeDescriptors&) = delete;
    NoFreeDescriptors& operator=(const NoFreeDescriptors&) = delete;
    ~NoFreeDescriptors() { ::setrlimit(RLIMIT_NOFILE, &saved_); }

private:
    rlimit saved_{};
};

} // namespace zantiva::testing
