#pragma once

#include <system_error>
#include <utility>

#include <unistd.h>

#include "Platform/DescriptorIO.h"

namespace zantiva {

// An open file descriptor, closed when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    ~FileDescriptor() { reset(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // Closes now, so that a late write error (reported by close on some file systems) is seen.
    std::error_code close() {
        const int fd = std::exchange(fd_, -1);
        return ::close(fd) == 0 ? std::error_code{} : lastError();
    }

private:
    int fd_;
};

} // namespace zantiva
