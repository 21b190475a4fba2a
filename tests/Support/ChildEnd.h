#pragma once

// Code run in a forked child of the test: code that changes what its process holds for good
// (limits, signals, cgroup, nice level) or that may be killed for it.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

namespace zantiva::testing {

// How the child ended: "exit N" with N what `body` answered (255 when it threw), or
// "signal N" when a signal ended it.
inline std::string endOfChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            ::_exit(body());
        } catch (...) {
            ::_exit(255);
        }
    }
    int status = 0;
    if (child < 0) return "no child";
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : "exit " + std::to_string(WEXITSTATUS(status));
}

} // namespace zantiva::testing
