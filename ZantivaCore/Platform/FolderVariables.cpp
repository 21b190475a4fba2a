#include "Platform/FolderVariables.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "Platform/Log.h"
#include "Platform/UserAccount.h"

namespace zantiva {
namespace {

constexpr char logCategory[] = "folders";

// The owner of the folder that the variable names when that is another user.
std::optional<uid_t> othersFolderIn(const char* variable) {
    const char* folder = std::getenv(variable);
    return folder ? othersOwnerOf(folder) : std::nullopt;
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
    // This user's own home in the password database.
    const auto home = passwordDatabaseHome(::geteuid());
    if (!home || home->empty() || home->front() != '/') return;
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
