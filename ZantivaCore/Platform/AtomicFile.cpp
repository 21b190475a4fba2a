#include "Platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/FileDescriptor.h"
#include "Platform/Log.h"
#include "Platform/ProcessStat.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string temporaryPrefix(const fs::path& file) { return "." + file.filename().string() + ".tmp-"; }

// `rest` is what follows the prefix: "<pid>-<random>".
bool writerIsGone(std::string_view rest) {
    const auto dash = rest.find('-');
    const auto pid = parseProcessId(rest.substr(0, dash));
    if (dash == std::string_view::npos || !pid || *pid == 0) return false;
    if (*pid == ::getpid()) return false; // another thread of ours may be writing it now
    return ::kill(*pid, 0) != 0 && errno == ESRCH;
}

void removeLeftoverTemporaries(const fs::path& file) {
    const std::string prefix = temporaryPrefix(file);
    std::error_code ec;
    for (fs::directory_iterator it(folderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix) && writerIsGone(std::string_view(name).substr(prefix.size()))) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

std::string uniqueSuffix() {
    static std::atomic<std::uint64_t> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::uint64_t mixed = (std::uint64_t(now) * 0x9E3779B97F4A7C15ull) ^ counter.fetch_add(1);
    char digits[17];
    const auto [end, ec] = std::to_chars(digits, digits + 16, mixed & 0xFFFFFFFFFFFFull, 16);
    return std::to_string(::getpid()) + "-" + std::string(digits, end);
}

std::error_code fillAndPublish(FileDescriptor& fd, const fs::path& temporary, const fs::path& file,
                               std::string_view bytes, FileAccess access) {
    // The umask may take the owner's own bits too (0277 gives 0400): the program's files are
    // 0600 whatever it is.
    if (access == FileAccess::ownerOnly) {
        if (::fchmod(fd.get(), 0600) != 0) return lastError();
        // A file system may take the chmod and change nothing (FAT and exFAT through FUSE):
        // what the owner alone should read is not written where others can read it.
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) return lastError();
        if ((info.st_mode & 077) != 0) return std::make_error_code(std::errc::operation_not_supported);
    }
    if (auto ec = writeAll(fd.get(), bytes)) return ec;
    if (::fsync(fd.get()) != 0) return lastError();
    if (auto ec = fd.close()) return ec;
    if (::rename(temporary.c_str(), file.c_str()) != 0) return lastError();
    return {};
}

// The rename is only durable once the folder's entry is on disk. The new file is in place
// by now, so a failure here is logged rather than reported as a failed write.
void flushFolder(const fs::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid() && ::fsync(dir.get()) == 0) return;
    const std::error_code ec = lastError();
    if (ec != std::errc::invalid_argument) // some file systems cannot flush a folder
        log::error("store", "couldn't flush folder " + folder.string() + ": " + ec.message());
}

} // namespace

std::error_code writeFileAtomically(const fs::path& file, std::string_view bytes, FileAccess access) {
    removeLeftoverTemporaries(file);
    const fs::path folder = folderOf(file);
    const std::string prefix = temporaryPrefix(file);

    fs::path temporary;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temporary = folder / (prefix + uniqueSuffix());
        raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                     access == FileAccess::ownerOnly ? 0600 : 0666);
        if (raw < 0 && errno != EEXIST) return lastError();
    }
    if (raw < 0) return std::make_error_code(std::errc::file_exists);

    FileDescriptor fd(raw);
    if (auto ec = fillAndPublish(fd, temporary, file, bytes, access)) {
        ::unlink(temporary.c_str());
        return ec;
    }
    flushFolder(folder);
    return {};
}

// Opening a FIFO waits for a writer, and reading one or a device may never end: the type
// is checked before opening, the open never waits, and the opened file is checked again
// (the name may have been given to another file in between).
std::optional<std::string> readWholeFile(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        std::uint64_t(info.st_size) > storedFileLimit)
        return std::nullopt;

    // One byte past the limit tells a file that grew while it was read.
    auto content = readUpTo(fd.get(), storedFileLimit + 1);
    if (!content || content->size() > storedFileLimit) return std::nullopt;
    return content;
}

} // namespace zantiva
