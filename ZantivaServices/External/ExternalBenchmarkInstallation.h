#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "Model/ExternalBenchmarkApp.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// Where one outside application was found. For an application on a disk image,
// `executablePath` is relative to the image's mount point and `diskImagePath` names the
// image file; otherwise `executablePath` is the absolute path of the program.
// `bundlePath` is the application's folder (Geekbench's unpacked folder) when it has one.
struct ExternalBenchmarkInstallation {
    ExternalBenchmarkApp app = ExternalBenchmarkApp::geekbench;
    std::optional<std::string> bundlePath;
    std::string executablePath;
    std::optional<std::string> version;
    std::optional<std::string> diskImagePath;

    // On a disk image: the image file still exists. Otherwise: the program is an
    // executable regular file.
    bool isAvailable() const;
    // "Geekbench 6.3.0" when the version is known, else the application's name.
    std::string displayName() const;
    // The image file, for an installation on a disk image.
    std::optional<std::filesystem::path> resolvedDiskImage() const;
    // The program (relative to the mount point on a disk image).
    std::filesystem::path resolvedExecutable() const;
    // A record that names a disk image as its program but has no image path: it must be
    // moved to the disk-image form (mounted and found on the volume) before it can run.
    bool needsDiskImageMigration() const;

    bool operator==(const ExternalBenchmarkInstallation&) const = default;
    json::Json toJson() const;
    static ExternalBenchmarkInstallation fromJson(const json::Json& j);
};

// An existing regular file that this user may run.
bool isExecutableFile(const std::filesystem::path& path);

} // namespace zantiva
