#pragma once

// A FIFO where a stored file should be, and a guard for code that must not block on it.

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace zantiva::testing {

inline void makeFifo(const std::filesystem::path& file) {
    if (::mkfifo(file.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
}

// Runs `call` on another thread. Should it still be blocked after a few seconds, the
// FIFO's writing end is opened and closed (which releases a blocked reader) and the test
// fails, rather than hanging.
template <typename Call> auto withoutBlockingOn(const std::filesystem::path& fifo, Call call) {
    auto running = std::async(std::launch::async, call);
    if (running.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "blocked on the FIFO " << fifo;
        ::close(::open(fifo.c_str(), O_WRONLY));
    }
    return running.get();
}

} // namespace zantiva::testing
