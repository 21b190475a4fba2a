#pragma once

// The app's own data folder, root of everything it stores (settings, results, the stores
// of the services): $XDG_DATA_HOME when it is an absolute path, else ~/.local/share,
// plus "ZantivaDiagnostics". Without a known home folder there is no app folder and
// nothing is stored; a relative path is never used.

#include <filesystem>
#include <optional>
#include <string_view>

namespace zantiva::AppPaths {

inline constexpr std::string_view folderName = "ZantivaDiagnostics";

// Worked out anew at each call from the environment, then the password database for the
// home folder. Creates nothing.
std::optional<std::filesystem::path> applicationSupport();

// The user's home folder ($HOME, else the password database); absent when unknown.
std::optional<std::filesystem::path> homeFolder();

// The same rule over given values; an empty or relative value counts as unset.
std::optional<std::filesystem::path> applicationSupport(std::string_view xdgDataHome, std::string_view home);

} // namespace zantiva::AppPaths
