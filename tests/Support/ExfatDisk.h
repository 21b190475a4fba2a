#pragma once

// A file system that takes a chmod and changes nothing: an exFAT image mounted through FUSE with
// umask=0 (every entry 0777, as a USB stick mounted for everyone), on a folder for the life of
// the object. Without root, mkfs.exfat or the FUSE driver, `refused()` is set and the test skips.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "Platform/BoundedProcess.h"

namespace zantiva::testing {

class ExfatDisk {
public:
    ExfatDisk(const std::filesystem::path& image, std::filesystem::path folder) : folder_(std::move(folder)) {
        using namespace std::chrono_literals;
        std::filesystem::create_directories(folder_);
        std::ofstream(image).close();
        std::filesystem::resize_file(image, 8u << 20);
        const auto made = runBoundedProcess({"mkfs.exfat", image.string()}, 30s);
        const auto mount = made && made->succeeded()
            ? runBoundedProcess({"mount", "-t", "exfat-fuse", "-o", "loop,umask=0", image.string(), folder_.string()}, 20s)
            : std::nullopt;
        if (!mount || !mount->succeeded()) refused_ = "an exFAT image can't be made and mounted through FUSE here";
    }
    ExfatDisk(const ExfatDisk&) = delete;
    ExfatDisk& operator=(const ExfatDisk&) = delete;
    ~ExfatDisk() {
        if (!refused_) runBoundedProcess({"umount", "-l", folder_.string()}, std::chrono::seconds(10));
    }

    const std::optional<std::string>& refused() const { return refused_; }

private:
    std::filesystem::path folder_;
    std::optional<std::string> refused_;
};

} // namespace zantiva::testing
