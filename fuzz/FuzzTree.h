#pragma once

// A scratch folder for one input of a harness whose parser reads files under a ProbeRoot,
// removed when the input is done (libFuzzer ends without running exit handlers). In memory
// where the machine offers it: on a disk, creating and removing files slows fuzzing a
// hundredfold.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

class FuzzTree {
public:
    FuzzTree() {
        std::error_code error;
        const auto parent = std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path();
        std::string pattern = (parent / "zantiva-fuzz.XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root_ = pattern;
    }
    ~FuzzTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    FuzzTree(const FuzzTree&) = delete;
    FuzzTree& operator=(const FuzzTree&) = delete;

    const std::filesystem::path& root() const { return root_; }

    // Writes the file at its real-machine path under the folder.
    void put(const std::filesystem::path& systemPath, std::string_view content) const {
        const auto file = root_ / systemPath.relative_path();
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
    }

private:
    std::filesystem::path root_;
};
