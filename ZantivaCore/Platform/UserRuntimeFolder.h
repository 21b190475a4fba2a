#pragma once

#include <filesystem>
#include <optional>

#include "Platform/PrivateFolder.h"

namespace zantiva {

// The user's runtime folder, where what lives only as long as this boot on this machine is
// kept: local, private and cleared at a reboot. $XDG_RUNTIME_DIR when it is set and passes the
// checks (the user's own, 0700); else "<sessions>/<uid>" when that passes them, which is where
// the desktop session keeps it, so a shell after su, without the variable, finds the same
// folder; else the per-user temporary folder (PrivateFolder::perUserTemporary), which may be
// one made for this run only. A session's folder is never made or changed here.
std::optional<PrivateFolder> userRuntimeFolder(const std::filesystem::path& sessions = "/run/user");

} // namespace zantiva
