#pragma once

// Writing to and reading from an open file descriptor (a file, a pipe, a standard stream)
// without losing bytes to partial writes or to a signal arriving mid-call.

#include <chrono>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace zantiva {

// The error that the system call which just failed left in errno.
std::error_code lastError();

// Writes all of `bytes`, resuming after partial writes and signals, and waiting while a
// non-blocking descriptor is full. No error once every byte is written; otherwise the error,
// with an unknown part written.
std::error_code writeAll(int fd, std::string_view bytes);

enum class ReadOutcome {
    data,        // `size` bytes were read into the buffer
    endOfStream, // the writer has closed its end
    nothingYet,  // nothing came before the time was up
    failed,      // `error` says why
};

struct ReadStep {
    ReadOutcome outcome = ReadOutcome::nothingYet;
    std::size_t size = 0;
    std::error_code error;
};

// Waits until `until` at the latest for something to read on `fd`, then reads once, at most
// the buffer's size. A signal neither ends the wait early nor counts as a failure.
ReadStep readWhenReady(int fd, std::span<char> buffer, std::chrono::steady_clock::time_point until);

// Waits until `until` at the latest for something to read on any of `fds` (data or its end),
// so that one reader can drain several pipes without blocking on one while another fills.
// Which of them are ready, by position: none when the time was up, all when the wait itself
// failed (their reads then say why). A signal doesn't end the wait early.
std::vector<bool> awaitReadable(std::span<const int> fds, std::chrono::steady_clock::time_point until);

// What is left to read on `fd` up to its end, at most `maxBytes`, resuming after signals.
// Absent when a read fails: a /proc file of a process that ended since the open fails so.
std::optional<std::string> readUpTo(int fd, std::size_t maxBytes);

} // namespace zantiva
