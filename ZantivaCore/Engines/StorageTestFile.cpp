#include "Engines/StorageTestFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "Engines/StorageBenchmarkFailure.h"

namespace zantiva {
namespace {

bool bypassPageCache(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags != -1 && ::fcntl(fd, F_SETFL, flags | O_DIRECT) == 0;
}

} // namespace

std::string StorageTestFile::makeName() {
    // The first 8 characters of a random (version 4) UUID's text are 32 random bits.
    char id[9];
    std::snprintf(id, sizeof id, "%08X", ::arc4random());
    return ".zantiva-ssd-test-" + std::to_string(::getpid()) + "-" + id + ".tmp";
}

StorageTestFile StorageTestFile::create(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / makeName();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd == -1) throw StorageBenchmarkFailure::fromErrno(errno);
    StorageTestFile file(fd);
    if (::unlink(path.c_str()) != 0) throw StorageBenchmarkFailure::fromErrno(errno);
    if (!bypassPageCache(fd))
        throw StorageBenchmarkFailure(StorageBenchmarkFailure::Kind::directIOUnsupported);
    return file;
}

StorageTestFile::StorageTestFile(StorageTestFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

StorageTestFile::~StorageTestFile() {
    if (fd_ != -1) ::close(fd_);
}

} // namespace zantiva
