#include "Platform/KernelFile.h"

#include <fcntl.h>

#include "Platform/DescriptorIO.h"

namespace zantiva {

FileDescriptor openKernelFile(const std::filesystem::path& file) {
    return FileDescriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
}

std::optional<std::string> readKernelFile(const std::filesystem::path& file, std::size_t maxBytes) {
    const FileDescriptor fd = openKernelFile(file);
    if (!fd.valid()) return std::nullopt;
    return readUpTo(fd.get(), maxBytes);
}

} // namespace zantiva
