#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "Platform/FileDescriptor.h"

namespace zantiva {

// Files of the kernel's (/proc, /sys) and other small ones, read with plain system calls: the
// live readings open a few every second, and a stream costs more than the read and throws
// where a read fails (a process that ends between the open and the read).

// Opened for reading only, kept from child processes; not valid when it can't be opened.
FileDescriptor openKernelFile(const std::filesystem::path& file);

// At most `maxBytes` of the file; absent when it can't be opened or read, which for a file
// of a process means that the process has gone.
std::optional<std::string> readKernelFile(const std::filesystem::path& file, std::size_t maxBytes);

// The same, saying why it couldn't in `error`: a look at a process must tell one that has gone
// from one it could not see (no descriptor left, no access).
std::optional<std::string> readKernelFile(const std::filesystem::path& file, std::size_t maxBytes,
                                          std::error_code& error);

// Whether the failed read of a file of a process means that the process has gone.
bool isProcessGone(const std::error_code& error);

} // namespace zantiva
