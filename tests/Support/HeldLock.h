#pragma once

// A store's lock (".<name>.lock" beside its file) held through an open file of its own, as
// another process holds it, until release() or the end of the scope.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zantiva::testing {

class HeldLock {
public:
    explicit HeldLock(const std::filesystem::path& file)
        : fd_(::open((file.parent_path() / ("." + file.filename().string() + ".lock")).c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) release();
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    ~HeldLock() { release(); }

    bool held() const { return fd_ >= 0; }
    void release() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

} // namespace zantiva::testing
