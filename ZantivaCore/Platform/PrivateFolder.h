#pragma once

// A folder that only this user can reach: the data folder, the runtime folder, the disk
// images' folder, the per-user temporary folder. Before use it is checked with lstat and
// then on the opened descriptor: a real folder (never a link, which is not followed), owned
// by this user, mode 0700 (read again after a chmod, which some file systems take without
// effect), in a folder of this user's or root's (nothing is made or used in another user's
// folder: root with a user's HOME must not leave its own folders there). Anything else is
// refused, and the refusal logged with the reason.
// The folder stays open while the object lives, so what is done inside it can be done
// through the descriptor, which no later swap of a path can send elsewhere.

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "Platform/FileDescriptor.h"

namespace zantiva {

class PrivateFolder {
public:
    enum class IfMissing { make, refuse };
    // What happens to a folder of this user's own whose mode lets others in: closed to 0700
    // (folders the program makes), or refused (a folder that someone else hands us).
    enum class IfOpenToOthers { close, refuse };

    // The folder at `path`; a missing one is made 0700 when asked, with any missing parents
    // (0700 too, whatever the umask, as the XDG base directory rules ask), each new entry
    // flushed to disk. When it is refused, `refusal` (when given) gets the logged reason,
    // with the system's words from the call that failed.
    static std::optional<PrivateFolder> open(const std::filesystem::path& path, IfMissing missing,
                                             IfOpenToOthers openToOthers, std::string* refusal = nullptr);

    // "$TMPDIR/zantiva-diagnostics-<uid>" (under /tmp when TMPDIR is unset, relative or not a
    // folder), made when missing. Anyone may
    // make that name first: when it is refused, a fresh folder from mkdtemp beside it
    // ("zantiva-diagnostics-<uid>-XXXXXX") serves instead, for this run only (isForThisRun).
    // None in a temporary folder of another user's: nothing is made there.
    static std::optional<PrivateFolder> perUserTemporary();

    // $XDG_RUNTIME_DIR when it is absolute and passes the checks as it is: the session's
    // folder is never made or changed here.
    static std::optional<PrivateFolder> sessionRuntime();

    // Why the entry at `path` would be refused (a link, not a folder, someone else's, in
    // another user's folder, or the system's reason it can't be looked at or opened); none when
    // it could be used, or is missing where it could be made (the closest folder above it that
    // is there is this user's or root's).
    static std::optional<std::string> refusalOf(const std::filesystem::path& path);

    PrivateFolder(PrivateFolder&& other) noexcept = default;
    PrivateFolder& operator=(PrivateFolder&& other) noexcept = default;

    // The path it was opened by.
    const std::filesystem::path& path() const { return path_; }
    // Where it really is, links above it resolved: what the mount table names.
    const std::filesystem::path& realPath() const { return realPath_; }
    // "/proc/<pid>/fd/<n>": this very folder, for a child process to act on.
    std::filesystem::path descriptorPath() const;
    // Made for this run only, under a name no later run finds: whoever holds it removes it
    // (removeIfEmpty) when the run ends.
    bool isForThisRun() const { return forThisRun_; }
    // Removes this folder itself when it is empty and its path still names it.
    bool removeIfEmpty() const;

    // A new folder `name` inside this one, made 0700 and checked; `error` is set (EEXIST
    // when the name is taken) when there is none.
    std::optional<PrivateFolder> makeFolder(const std::string& name, std::error_code& error) const;
    // The names inside, "." and ".." left out.
    std::vector<std::string> names() const;
    // Removes `name` only when it is an empty folder (rmdir): never a file or a link.
    bool removeEmptyFolder(const std::string& name) const;
    // Removes `name` only when it is a regular file of this user's.
    bool removeOwnFile(const std::string& name) const;
    // Renames `from` to `to` inside this folder, replacing nothing (renameWithoutReplacing).
    std::error_code moveWithoutReplacing(const std::string& from, const std::string& to) const;
    // The exclusive lock (flock) of the file `name` inside, made 0600 when missing, waited for
    // while another process holds it, for at most `patience`; held until the descriptor is
    // closed. Absent, with `error` set, when it can't be taken (ENOLCK: the file system keeps
    // no locks; ETIMEDOUT: still held by another when the patience ran out).
    std::optional<FileDescriptor> lockFile(const std::string& name, std::chrono::milliseconds patience,
                                           std::error_code& error) const;
    // Closes every regular file of this user's directly inside to its owner (group and
    // other bits cleared), but those named in `keep`; links are never followed.
    void closeFiles(std::initializer_list<std::string_view> keep) const;

private:
    PrivateFolder(std::filesystem::path path, int descriptor);

    std::filesystem::path path_;
    std::filesystem::path realPath_;
    FileDescriptor descriptor_;
    bool forThisRun_ = false;
};

} // namespace zantiva
