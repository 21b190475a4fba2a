#pragma once

// A full disk under a folder: a tmpfs of 16 KiB mounted on it for the life of the object
// (unmounted lazily at the end) and, once the test has put there what it needs, filled to
// its last page, or made read-only. Mounting needs root; without it `mounted()` is false and
// the test skips.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "Platform/BoundedProcess.h"

namespace zantiva::testing {

class FullDisk {
public:
    explicit FullDisk(std::filesystem::path folder) : folder_(std::move(folder)) {
        using namespace std::chrono_literals;
        std::filesystem::create_directories(folder_);
        const auto mount =
            runBoundedProcess({"mount", "-t", "tmpfs", "-o", "size=16k,mode=0700", "tmpfs", folder_.string()}, 10s);
        mounted_ = mount && mount->succeeded();
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
    ~FullDisk() {
        using namespace std::chrono_literals;
        if (mounted_) runBoundedProcess({"umount", "-l", folder_.string()}, 10s);
    }

    bool mounted() const { return mounted_; }

    // Takes every page that is left.
    void fill() const {
        std::ofstream filler(folder_ / "filler");
        const std::string page(4096, 'x');
        while (filler.write(page.data(), page.size()).flush()) {}
    }

    // Makes the file system read-only, or writable again; false when it couldn't.
    bool setReadOnly(bool readOnly) const {
        using namespace std::chrono_literals;
        const auto remount =
            runBoundedProcess({"mount", "-o", readOnly ? "remount,ro" : "remount,rw", folder_.string()}, 10s);
        return remount && remount->succeeded();
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace zantiva::testing
