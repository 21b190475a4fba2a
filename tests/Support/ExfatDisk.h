#pragma once

// A file system whose chmod is taken and changes nothing: an exFAT image mounted through
// FUSE with umask=0 (every entry 0777), as a USB stick mounted for everyone is, on a folder
// for the life of the object (unmounted lazily at the end). Mounting needs root, a loop
// device, mkfs.exfat and the FUSE driver (scripts/setup installs them); without them
// `refused()` says why and the test skips.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

#include "Platform/BoundedProcess.h"

namespace zantiva::testing {

class ExfatDisk {
public:
    // The image is made at `image`, the folder when missing.
    ExfatDisk(const std::filesystem::path& image, std::filesystem::path folder) : folder_(std::move(folder)) {
        using namespace std::chrono_literals;
        if (::geteuid() != 0) {
            refused_ = "mounting needs root here";
            return;
        }
        std::filesystem::create_directories(folder_);
        std::ofstream(image).close();
        std::filesystem::resize_file(image, 8u << 20);
        const auto made = runBoundedProcess({"mkfs.exfat", image.string()}, 30s);
        if (!made || !made->succeeded()) {
            refused_ = "mkfs.exfat (exfatprogs) can't make an image here";
            return;
        }
        const auto mount =
            runBoundedProcess({"mount", "-t", "exfat-fuse", "-o", "loop,umask=0", image.string(), folder_.string()}, 20s);
        if (!mount || !mount->succeeded()) refused_ = "an exFAT image can't be mounted through FUSE here (exfat-fuse)";
    }
    ExfatDisk(const ExfatDisk&) = delete;
    ExfatDisk& operator=(const ExfatDisk&) = delete;
    ~ExfatDisk() {
        using namespace std::chrono_literals;
        if (!refused_) runBoundedProcess({"umount", "-l", folder_.string()}, 10s);
    }

    // Why there is no such disk; absent when it is mounted.
    const std::optional<std::string>& refused() const { return refused_; }

private:
    std::filesystem::path folder_;
    std::optional<std::string> refused_;
};

} // namespace zantiva::testing
