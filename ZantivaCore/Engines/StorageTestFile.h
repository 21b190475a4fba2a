#pragma once

#include <filesystem>
#include <string>

namespace zantiva {

// The storage test's temporary file, open for direct (uncached) reads and writes.
//
// Its name is removed from the folder right after the exclusive create, and the test works
// on the open descriptor alone: the space is given back when the descriptor closes, so no
// exit — a crash or kill -9 included — can leave the file behind.
class StorageTestFile {
public:
    // Throws StorageBenchmarkFailure: from the error number when the file can't be made
    // (an existing name gives targetUnavailable), directIOUnsupported when the file system
    // can't bypass the page cache. Memory-backed folders are StorageTargetCheck's to refuse.
    static StorageTestFile create(const std::filesystem::path& folder);

    // ".zantiva-ssd-test-<pid>-<8 upper-case hex digits>.tmp", random each call.
    static std::string makeName();

    StorageTestFile(StorageTestFile&& other) noexcept;
    StorageTestFile& operator=(StorageTestFile&&) = delete;
    ~StorageTestFile();

    int descriptor() const { return fd_; }

private:
    explicit StorageTestFile(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace zantiva
