#pragma once

// A scratch folder for harnesses whose parser reads files under a ProbeRoot: made once per
// process, removed at exit, and its files rewritten for each input. In memory where the
// machine offers it: on a disk, creating and removing files would slow fuzzing a hundredfold.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace fuzztree {

inline const std::filesystem::path& root() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const auto parent = std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "zantiva-fuzz.XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(root(), ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Writes the file at the real-machine path under the folder, or removes it when absent.
inline void put(const std::filesystem::path& systemPath, std::optional<std::string_view> content) {
    const auto file = root() / systemPath.relative_path();
    if (!content) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
        return;
    }
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(content->data(), static_cast<std::streamsize>(content->size()));
}

} // namespace fuzztree
