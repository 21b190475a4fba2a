#include "Platform/FolderVariables.h"

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "folders";

// The owner of the folder that the variable names when that is another user: neither the one
// running nor root.
std::optional<uid_t> othersFolderIn(const char* variable) {
    const char* folder = std::getenv(variable);
    struct stat info {};
    if (!folder || ::stat(folder, &info) != 0 || info.st_uid == ::geteuid() || info.st_uid == 0) return std::nullopt;
    return info.st_uid;
}

// This user's home in the password database.
std::optional<std::string> ownHome() {
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? std::size_t(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir ||
        found->pw_dir[0] != '/')
        return std::nullopt;
    return std::string(found->pw_dir);
}

void leaveOthersTemporaryFolder() {
    const auto owner = othersFolderIn("TMPDIR");
    if (!owner) return;
    log::error(logCategory, std::string("TMPDIR ") + std::getenv("TMPDIR") + " belongs to user " +
                                std::to_string(*owner) + ": nothing is made there; /tmp serves instead");
    ::unsetenv("TMPDIR");
}

void keepCachesOutOfOthersHome() {
    if (!othersFolderIn("HOME")) return;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/' && !othersFolderIn("XDG_CACHE_HOME")) return;
    const auto home = ownHome();
    if (!home) return;
    const std::string own = (*home == "/" ? "" : *home) + "/.cache";
    log::info(logCategory, "the home folder is another user's: the libraries' caches go in " + own);
    ::setenv("XDG_CACHE_HOME", own.c_str(), 1);
}

} // namespace

void keepFolderVariablesOwn() {
    leaveOthersTemporaryFolder();
    keepCachesOutOfOthersHome();
}

} // namespace zantiva
