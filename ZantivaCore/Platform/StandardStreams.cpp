#include "Platform/StandardStreams.h"

#include <fcntl.h>
#include <initializer_list>
#include <iostream>
#include <string_view>
#include <unistd.h>

#include "Platform/DescriptorIO.h"

namespace zantiva {

void holdClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1) continue;
        // The lowest free number: this very one, as the lower streams are open by now.
        const int held = ::open("/dev/null", stream == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != stream) ::close(held);
    }
}

// Collects what a stream writes and hands it to writeAll; a write that fails drops what was
// collected and fails the stream, as the library's own buffer does.
class WholeStandardWrites::Buffer : public std::streambuf {
public:
    explicit Buffer(int fd) : fd_(fd) { setp(bytes_, bytes_ + sizeof bytes_); }

protected:
    int_type overflow(int_type c) override {
        if (!writeCollected()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return writeCollected() ? 0 : -1; }

private:
    bool writeCollected() {
        const std::string_view collected(pbase(), std::size_t(pptr() - pbase()));
        setp(bytes_, bytes_ + sizeof bytes_);
        return !writeAll(fd_, collected);
    }

    int fd_;
    char bytes_[16384];
};

WholeStandardWrites::WholeStandardWrites()
    : out_(std::make_unique<Buffer>(STDOUT_FILENO)), err_(std::make_unique<Buffer>(STDERR_FILENO)) {
    std::cout.flush();
    std::cerr.flush();
    savedOut_ = std::cout.rdbuf(out_.get());
    savedErr_ = std::cerr.rdbuf(err_.get());
}

WholeStandardWrites::~WholeStandardWrites() {
    std::cout.flush();
    std::cerr.flush();
    std::cout.rdbuf(savedOut_);
    std::cerr.rdbuf(savedErr_);
}

} // namespace zantiva
