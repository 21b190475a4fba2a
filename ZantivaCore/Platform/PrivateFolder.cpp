#include "Platform/PrivateFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "Platform/ExclusiveRename.h"
#include "Platform/FileDescriptor.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view logCategory = "folders";
constexpr mode_t privateMode = 0700;

std::string octal(mode_t mode) {
    char text[8];
    const int size = std::snprintf(text, sizeof text, "%04o", unsigned(mode & 07777));
    return std::string(text, std::size_t(size));
}

// Logs the refusal, and hands its reason to a caller that asked for it.
void refuse(const fs::path& path, const std::string& why, std::string* refusal) {
    log::error(logCategory, "refused " + path.string() + ": " + why + "; it is not used");
    if (refusal) *refusal = why;
}

// Why an entry found by lstat can't be a private folder of this user's; none when it can.
std::optional<std::string> problemOf(const struct stat& info) {
    if (S_ISLNK(info.st_mode)) return "a link, owned by user " + std::to_string(info.st_uid);
    if (!S_ISDIR(info.st_mode)) return std::string("not a folder");
    if (info.st_uid != ::geteuid()) return "a folder owned by user " + std::to_string(info.st_uid);
    return std::nullopt;
}

// Why nothing may be made or used in the open folder `parent` (shown as `shown`): it belongs
// to another user. Root running with a user's HOME (sudo -E) would leave root's folders there
// that keep the user's own program out, and a ~/.local/share of root's takes every program of
// that user its data. Root's folders are the system's (/, /tmp, /run/user); none when it may.
std::optional<std::string> othersFolderProblem(int parent, const fs::path& shown) {
    struct stat info {};
    if (::fstat(parent, &info) != 0) return std::string(std::strerror(errno));
    if (info.st_uid == ::geteuid() || info.st_uid == 0) return std::nullopt;
    return "in " + shown.string() + ", a folder of user " + std::to_string(info.st_uid) +
           ": nothing is made or used in another user's folder";
}

// The same for the closest folder above `path` that is there: the one its entry is in, or
// where the first of its missing folders would be made.
std::optional<std::string> othersFolderAbove(const fs::path& path) {
    fs::path above = path.has_filename() ? path.parent_path() : path.parent_path().parent_path();
    for (;; above = above.parent_path()) {
        const FileDescriptor folder(::open(above.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) return othersFolderProblem(folder.get(), above);
        if (errno != ENOENT || !above.has_relative_path()) return std::nullopt;
    }
}

// Sets the folder `name` inside `parent`, just made, to 0700 through a descriptor of it, never
// a path that may name another entry by now (a link is not followed: it fails as no folder);
// one without read permission can only be opened as a path. 0 or the failing call's errno.
int closeMadeFolder(int parent, const char* name) {
    const FileDescriptor made(::openat(parent, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!made.valid() || ::fstat(made.get(), &info) != 0) return errno;
    if ((info.st_mode & 07777) != privateMode &&
        ::chmod(("/proc/self/fd/" + std::to_string(made.get())).c_str(), privateMode) != 0)
        return errno;
    return 0;
}

// Makes the folder `name` inside the open folder `parent` with mode 0700 whatever the umask
// (one that takes the owner's bits would leave it unusable, one that takes none would open it
// to everyone), and puts its entry on disk. Answers 0 or the error number of the call that
// failed; EEXIST when the name is taken.
int makeFolderAt(int parent, const char* name) {
    if (::mkdirat(parent, name, privateMode) != 0) return errno;
    if (const int failed = closeMadeFolder(parent, name)) return failed;
    if (::fsync(parent) != 0 && errno != EINVAL) return errno; // some file systems can't flush a folder
    return 0;
}

// The folder at `path` opened for reading, links followed (the folders above the program's
// belong to the user or the system and are taken as they are); when it is missing and `make`
// is set, it is made 0700 with any missing parents, as the XDG base directory rules ask for
// the base folders. -1 with `why` set (the folder and the failing call's words) when it can't be.
int openFolderAbove(const fs::path& path, bool make, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) return fd;
    const int failed = errno;
    why = path.string() + ": " + std::strerror(failed);
    if (failed != ENOENT || !make || !path.has_relative_path()) return -1;
    const FileDescriptor parent(openFolderAbove(path.parent_path(), make, why));
    if (!parent.valid()) return -1;
    if (const auto problem = othersFolderProblem(parent.get(), path.parent_path())) {
        why = "couldn't make " + path.string() + ": " + *problem;
        return -1;
    }
    if (const int made = makeFolderAt(parent.get(), path.filename().c_str()); made != 0 && made != EEXIST) {
        why = "couldn't make " + path.string() + ": " + std::strerror(made);
        return -1;
    }
    const int opened = ::openat(parent.get(), path.filename().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (opened < 0) why = path.string() + ": " + std::strerror(errno);
    return opened;
}

// `name` inside the open folder `parent`, checked by lstat, opened without following a
// link and checked again on the descriptor (the entry may have been swapped in between).
// -1 with `why` set when it is refused.
int openChecked(int parent, const std::string& name, const fs::path& shown, PrivateFolder::IfMissing missing,
                PrivateFolder::IfOpenToOthers openToOthers, std::string& why) {
    if (const auto problem = othersFolderProblem(parent, shown.parent_path())) {
        why = *problem;
        return -1;
    }
    struct stat entry {};
    if (::fstatat(parent, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT || missing == PrivateFolder::IfMissing::refuse) {
            why = std::strerror(errno);
            return -1;
        }
        if (const int made = makeFolderAt(parent, name.c_str()); made != 0 && made != EEXIST) {
            why = std::string("couldn't make it: ") + std::strerror(made);
            return -1;
        }
        if (::fstatat(parent, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
            why = std::strerror(errno);
            return -1;
        }
    }
    if (const auto problem = problemOf(entry)) {
        why = *problem;
        return -1;
    }
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat opened {};
    if (fd < 0 || ::fstat(fd, &opened) != 0) {
        why = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        return -1;
    }
    if (opened.st_dev != entry.st_dev || opened.st_ino != entry.st_ino || problemOf(opened)) {
        why = "it was replaced while being checked";
        ::close(fd);
        return -1;
    }
    if ((opened.st_mode & 07777) == privateMode) return fd;
    if (openToOthers == PrivateFolder::IfOpenToOthers::refuse) {
        why = "mode " + octal(opened.st_mode) + ", not 0700";
        ::close(fd);
        return -1;
    }
    if (::fchmod(fd, privateMode) != 0) {
        why = std::string("couldn't close it to other users: ") + std::strerror(errno);
        ::close(fd);
        return -1;
    }
    // Some file systems take a chmod and change nothing (FAT and exFAT through FUSE, whose
    // modes come from the mount): the folder is judged by what it is now, not by the call.
    struct stat closed {};
    if (::fstat(fd, &closed) != 0) {
        why = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    if ((closed.st_mode & 077) != 0) {
        why = "its file system keeps no modes: still " + octal(closed.st_mode) + " after closing it to other users";
        ::close(fd);
        return -1;
    }
    log::info(logCategory, "closed " + shown.string() + " to other users (it was " + octal(opened.st_mode) + ")");
    return fd;
}

// $TMPDIR when it is an absolute path to a folder, else /tmp. A relative one is ignored, as
// the XDG rules ignore relative paths: it would name a new place in every working folder.
fs::path temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    struct stat info {};
    if (folder && folder[0] == '/' && ::stat(folder, &info) == 0 && S_ISDIR(info.st_mode)) return folder;
    return "/tmp";
}

} // namespace

PrivateFolder::PrivateFolder(fs::path path, int descriptor) : path_(std::move(path)), descriptor_(descriptor) {
    std::error_code ec;
    realPath_ = fs::read_symlink("/proc/self/fd/" + std::to_string(descriptor), ec);
    if (ec) realPath_ = path_;
}

std::optional<PrivateFolder> PrivateFolder::open(const fs::path& path, IfMissing missing, IfOpenToOthers openToOthers,
                                                 std::string* refusal) {
    fs::path clean = path.lexically_normal();
    if (!clean.has_filename()) clean = clean.parent_path();
    if (!clean.is_absolute() || !clean.has_filename() || clean.filename() == "..") {
        refuse(path, "not an absolute path to a folder", refusal);
        return std::nullopt;
    }
    // The folders above belong to the user or the system, not to the program: they are
    // made when missing, as any program would, and followed as they are.
    const fs::path parent = clean.parent_path();
    std::string why;
    const int parentFd = openFolderAbove(parent, missing == IfMissing::make, why);
    if (parentFd < 0) {
        refuse(path, why, refusal);
        return std::nullopt;
    }
    const int fd = openChecked(parentFd, clean.filename().string(), clean, missing, openToOthers, why);
    ::close(parentFd);
    if (fd < 0) {
        refuse(clean, why, refusal);
        return std::nullopt;
    }
    return PrivateFolder(clean, fd);
}

std::optional<PrivateFolder> PrivateFolder::perUserTemporary() {
    const fs::path base = temporaryFolder();
    const std::string name = "zantiva-diagnostics-" + std::to_string(::getuid());
    if (auto folder = open(base / name, IfMissing::make, IfOpenToOthers::close)) return folder;
    // A $TMPDIR of another user's (root with a user's TMPDIR) takes no fresh folder either.
    if (const auto problem = othersFolderAbove(base / name)) {
        log::error(logCategory, "no fresh folder beside " + (base / name).string() + " either: " + *problem);
        return std::nullopt;
    }

    std::string pattern = (base / (name + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) {
        log::error(logCategory, "couldn't make a private folder in " + base.string() + ": " + std::strerror(errno));
        return std::nullopt;
    }
    log::error(logCategory, "using " + pattern + " instead of " + (base / name).string());
    // mkdtemp leaves the umask's mark (0000 under 0777), which the check below refuses; a link
    // or someone else's folder swapped in meanwhile is not changed, and refused there.
    closeMadeFolder(AT_FDCWD, pattern.c_str());
    auto fresh = open(pattern, IfMissing::refuse, IfOpenToOthers::refuse);
    if (fresh) fresh->forThisRun_ = true;
    // No later run would find it: one this run can't use goes at once (rmdir takes only an
    // empty folder, never a link).
    else ::rmdir(pattern.c_str());
    return fresh;
}

std::optional<PrivateFolder> PrivateFolder::sessionRuntime() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || runtime[0] != '/') return std::nullopt;
    return open(runtime, IfMissing::refuse, IfOpenToOthers::refuse);
}

std::optional<std::string> PrivateFolder::refusalOf(const fs::path& path) {
    if (auto problem = othersFolderAbove(path.lexically_normal())) return problem;
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return std::string(std::strerror(errno));
    }
    if (auto problem = problemOf(entry)) return problem;
    // A folder of the user's own that can't be opened (its mode keeps even the owner out).
    const FileDescriptor opened(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!opened.valid()) return std::string(std::strerror(errno));
    return std::nullopt;
}

fs::path PrivateFolder::descriptorPath() const {
    return "/proc/" + std::to_string(::getpid()) + "/fd/" + std::to_string(descriptor_.get());
}

bool PrivateFolder::removeIfEmpty() const {
    // rmdir takes only an empty folder, and never a link; the path is checked to be this
    // folder still, so that nothing put in its place is removed.
    struct stat named {}, opened {};
    if (::lstat(path_.c_str(), &named) != 0 || ::fstat(descriptor_.get(), &opened) != 0 ||
        named.st_dev != opened.st_dev || named.st_ino != opened.st_ino)
        return false;
    return ::rmdir(path_.c_str()) == 0;
}

std::optional<PrivateFolder> PrivateFolder::makeFolder(const std::string& name, std::error_code& error) const {
    error.clear();
    if (const int made = makeFolderAt(descriptor_.get(), name.c_str()); made != 0) {
        error.assign(made, std::generic_category());
        return std::nullopt;
    }
    std::string why;
    const int fd = openChecked(descriptor_.get(), name, path_ / name, IfMissing::refuse, IfOpenToOthers::close, why);
    if (fd < 0) {
        refuse(path_ / name, why, nullptr);
        error = std::make_error_code(std::errc::permission_denied);
        return std::nullopt;
    }
    return PrivateFolder(path_ / name, fd);
}

std::vector<std::string> PrivateFolder::names() const {
    std::vector<std::string> found;
    // The copy shares the read position with ours: it starts from the top each time.
    const int copy = ::dup(descriptor_.get());
    DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (!dir) {
        if (copy >= 0) ::close(copy);
        return found;
    }
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") found.emplace_back(name);
    }
    ::closedir(dir);
    return found;
}

bool PrivateFolder::removeEmptyFolder(const std::string& name) const {
    return ::unlinkat(descriptor_.get(), name.c_str(), AT_REMOVEDIR) == 0;
}

bool PrivateFolder::removeOwnFile(const std::string& name) const {
    struct stat info {};
    if (::fstatat(descriptor_.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid())
        return false;
    return ::unlinkat(descriptor_.get(), name.c_str(), 0) == 0;
}

std::error_code PrivateFolder::moveWithoutReplacing(const std::string& from, const std::string& to) const {
    return renameWithoutReplacing(descriptor_.get(), from, to);
}

std::optional<FileDescriptor> PrivateFolder::lockFile(const std::string& name, std::chrono::milliseconds patience,
                                                      std::error_code& error) const {
    error.clear();
    FileDescriptor fd(::openat(descriptor_.get(), name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
        error = lastError();
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        error = std::make_error_code(std::errc::permission_denied);
        return std::nullopt;
    }
    // 0600 whatever the umask: one that took the owner's bits would keep the next open out.
    if ((info.st_mode & 07777) != 0600 && ::fchmod(fd.get(), 0600) != 0) {
        error = lastError();
        return std::nullopt;
    }
    // Tried again and again rather than waited on: a holder that never lets go (a stopped
    // process) must not hold up the caller, which may be the window's thread.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            error = lastError();
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error = std::make_error_code(std::errc::timed_out);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return fd;
}

void PrivateFolder::closeFiles(std::initializer_list<std::string_view> keep) const {
    for (const std::string& name : names()) {
        if (std::find(keep.begin(), keep.end(), name) != keep.end()) continue;
        struct stat info {};
        if (::fstatat(descriptor_.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || (info.st_mode & 077) == 0)
            continue;
        // Only this user writes in this folder, so the entry checked above is the one changed.
        if (::fchmodat(descriptor_.get(), name.c_str(), info.st_mode & 07700, 0) != 0)
            log::error(logCategory, "couldn't close " + (path_ / name).string() + ": " + std::strerror(errno));
    }
}

} // namespace zantiva
