#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zantiva {

// What a reader found in a folder it lists, or why the folder could not be read. A folder
// that isn't there is an answer (nothing found), so only a read that failed (EMFILE, EACCES,
// EIO, ENOTDIR, …) has an error; nothing is found then, as part of a list tells nothing of
// the rest.
template <typename T> struct Listed {
    std::vector<T> items;
    int error = 0;

    bool failed() const { return error != 0; }
};

// The file-system root that the hardware readers look under: "/" on a real machine, a
// captured tree in tests. Every read is rooted here and none throws: an unreadable
// file is simply absent; a folder that couldn't be listed says why (listing).
class ProbeRoot {
public:
    ProbeRoot() : root_("/") {}
    explicit ProbeRoot(std::filesystem::path root) : root_(std::move(root)) {}

    const std::filesystem::path& path() const { return root_; }
    bool isSystemRoot() const;

    // The full path of a path given as on the real machine ("/sys/class/hwmon").
    std::filesystem::path at(const std::filesystem::path& systemPath) const;

    // The whole file, raw (binary EDID blobs included), at most maxBytes.
    std::optional<std::string> bytes(const std::filesystem::path& systemPath, std::size_t maxBytes = 1 << 20) const;
    // The file's text trimmed of white space at both ends; absent when empty.
    std::optional<std::string> text(const std::filesystem::path& systemPath) const;
    // The file's text as a whole decimal number (optionally signed).
    std::optional<std::int64_t> integer(const std::filesystem::path& systemPath) const;
    // The first number after a row's name in a kernel table such as a cgroup's memory.stat
    // ("file 4096") or a process's status ("VmSize:  262144 kB").
    std::optional<std::uint64_t> tableNumber(const std::filesystem::path& systemPath, std::string_view row) const;
    bool exists(const std::filesystem::path& systemPath) const;

    // The names in a folder, in natural order ("cpu2" before "cpu10"), or the read's error.
    Listed<std::string> listing(const std::filesystem::path& systemPath) const;
    // The names alone, for a reader to whom a folder it couldn't read and an empty one are alike.
    std::vector<std::string> entries(const std::filesystem::path& systemPath) const { return listing(systemPath).items; }
    // Where a symbolic link leads, as a real-machine path; the path itself when not a link.
    std::filesystem::path resolved(const std::filesystem::path& systemPath) const;

private:
    std::filesystem::path root_;
};

// Natural order of names that end in numbers: "hwmon2" < "hwmon10".
bool naturalLess(const std::string& a, const std::string& b);

// The number after a prefix ("cpu12" with "cpu" → 12); absent when the rest is not all digits.
std::optional<int> numberAfter(std::string_view name, std::string_view prefix);

} // namespace zantiva
