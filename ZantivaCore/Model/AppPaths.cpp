#include "Model/AppPaths.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Platform/UserAccount.h"

namespace zantiva::AppPaths {
namespace {

bool isAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// $HOME first, as every desktop program reads it; the password database when it is unset.
std::string homeFolderText() {
    if (const auto home = environment("HOME"); isAbsolute(home)) return std::string(home);
    return passwordDatabaseHome(::getuid()).value_or(std::string());
}

// The app's folder of one XDG kind: under the kind's variable when that is an absolute path,
// else under its place in the home folder.
std::optional<std::filesystem::path> xdgFolder(std::string_view variable, std::string_view home,
                                               const char* inHome) {
    if (isAbsolute(variable)) return std::filesystem::path(variable) / folderName;
    if (isAbsolute(home)) return std::filesystem::path(home) / inHome / folderName;
    return std::nullopt;
}

} // namespace

std::optional<std::filesystem::path> applicationSupport(std::string_view xdgDataHome, std::string_view home) {
    return xdgFolder(xdgDataHome, home, ".local/share");
}

std::optional<std::filesystem::path> applicationSupport() {
    const std::string_view dataHome = environment("XDG_DATA_HOME");
    if (!isAbsolute(dataHome) && othersHomeOwner()) return std::nullopt;
    return applicationSupport(dataHome, homeFolderText());
}

std::optional<uid_t> othersHomeOwner() {
    const std::string home = homeFolderText();
    if (!isAbsolute(home)) return std::nullopt;
    return othersOwnerOf(home);
}

std::optional<std::filesystem::path> homeFolder() {
    const std::string home = homeFolderText();
    if (!isAbsolute(home)) return std::nullopt;
    return std::filesystem::path(home);
}

} // namespace zantiva::AppPaths
