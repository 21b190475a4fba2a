#pragma once

// Child processes that each get ready (open a store, say), wait until all of them are
// released at the same moment, then write: for tests of writers that run at once, as the
// window and command-line runs do.

#include <functional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zantiva::testing {

class WritersAtOnce {
public:
    // Gets ready, and answers the write, which answers whether it saved.
    using Ready = std::function<std::function<bool()>()>;

    WritersAtOnce() {
        if (::pipe(go_) != 0) go_[0] = go_[1] = -1;
    }
    WritersAtOnce(const WritersAtOnce&) = delete;
    WritersAtOnce& operator=(const WritersAtOnce&) = delete;

    void start(const Ready& ready) {
        const pid_t child = ::fork();
        if (child != 0) {
            children_.push_back(child);
            return;
        }
        const std::function<bool()> write = ready();
        ::close(go_[1]);
        char byte = 0;
        while (::read(go_[0], &byte, 1) < 0) {} // the end of the pipe: released
        ::_exit(write() ? 0 : 1);
    }

    // Releases every writer and waits for them; answers how many saved.
    int release() {
        ::close(go_[1]);
        ::close(go_[0]);
        int saved = 0;
        for (const pid_t child : children_) {
            int status = 0;
            ::waitpid(child, &status, 0);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) ++saved;
        }
        return saved;
    }

private:
    int go_[2] = {-1, -1};
    std::vector<pid_t> children_;
};

} // namespace zantiva::testing
