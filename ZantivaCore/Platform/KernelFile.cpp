#include "Platform/KernelFile.h"

#include <cerrno>
#include <fcntl.h>

#include "Platform/DescriptorIO.h"

namespace zantiva {

FileDescriptor openKernelFile(const std::filesystem::path& file) {
    return FileDescriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
}

std::optional<std::string> readKernelFile(const std::filesystem::path& file, std::size_t maxBytes) {
    std::error_code ignored;
    return readKernelFile(file, maxBytes, ignored);
}

std::optional<std::string> readKernelFile(const std::filesystem::path& file, std::size_t maxBytes,
                                          std::error_code& error) {
    error.clear();
    const FileDescriptor fd = openKernelFile(file);
    if (!fd.valid()) {
        error = lastError();
        return std::nullopt;
    }
    auto text = readUpTo(fd.get(), maxBytes);
    if (!text) error = lastError();
    return text;
}

// A process that ended: its folder is gone (ENOENT), or it was reaped between the open and
// the read (ESRCH).
bool isProcessGone(const std::error_code& error) {
    return error == std::errc::no_such_file_or_directory || error == std::errc::no_such_process;
}

} // namespace zantiva
