#pragma once

// Finds and checks outside applications on disk. Geekbench for Linux is an unpacked
// folder ("Geekbench-6.3.0-Linux") holding its command-line launcher ("geekbench6");
// Cinebench has no Linux build, so it is never found by searching, only taken where the
// user points at a console program. The rules are in docs/outside-tools.md. Blocking
// file-system work: call it off the main thread.

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "External/ExternalBenchmarkInstallation.h"
#include "External/ExternalBenchmarkLocatorError.h"

namespace zantiva::ExternalBenchmarkLocator {

// "/opt", then "Applications" in the user's home (when the home is known).
std::vector<std::filesystem::path> defaultSearchDirectories();
std::vector<std::filesystem::path> searchDirectories(const std::optional<std::filesystem::path>& home);

// The applications found directly inside the folders; when several copies of one are
// found, the highest version wins. Missing or unreadable folders are skipped.
std::map<ExternalBenchmarkApp, ExternalBenchmarkInstallation> discover(std::span<const std::filesystem::path> folders);

// Checks a folder or program the user chose for `app`; throws ExternalBenchmarkLocatorError.
ExternalBenchmarkInstallation resolve(const std::filesystem::path& chosen, ExternalBenchmarkApp app);

// Finds `app` on a mounted volume (at its top or one folder down). The installation's
// paths are relative to the mount point and it records the image; throws
// ExternalBenchmarkLocatorError (notOnDiskImage when the volume holds no such application).
ExternalBenchmarkInstallation resolveOnMountedImage(const std::filesystem::path& mountPoint,
                                                    const std::filesystem::path& image, ExternalBenchmarkApp app);

} // namespace zantiva::ExternalBenchmarkLocator
