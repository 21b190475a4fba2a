#pragma once

// The app's own data folder, root of everything it stores (settings, results, the stores
// of the services): $XDG_DATA_HOME when it is an absolute path, else ~/.local/share,
// plus "ZantivaDiagnostics". Without a known home folder there is no app folder and
// nothing is stored; a relative path is never used. A home folder of another user (root
// started with a user's HOME, as sudo -E leaves it) counts as none: whatever root made
// there would keep that user's own program out.

#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>

namespace zantiva::AppPaths {

inline constexpr std::string_view folderName = "ZantivaDiagnostics";

// Worked out anew at each call from the environment, then the password database for the
// home folder. Creates nothing.
std::optional<std::filesystem::path> applicationSupport();

// The user's home folder ($HOME, else the password database); absent when unknown.
std::optional<std::filesystem::path> homeFolder();

// The owner of the home folder when that is neither the user running nor root (whose
// folders are the system's); absent when it is, or the home is unknown or can't be looked at.
std::optional<uid_t> othersHomeOwner();

// The same rule over given values; an empty or relative value counts as unset.
std::optional<std::filesystem::path> applicationSupport(std::string_view xdgDataHome, std::string_view home);

} // namespace zantiva::AppPaths
