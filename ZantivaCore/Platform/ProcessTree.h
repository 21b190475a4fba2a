#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace zantiva {

// Every process below `ancestor` by the parent links in `proc` (a procfs), at any depth,
// nearest first, each once. Processes that end while the tree is read are simply left out;
// absent when the process table could not be read (allProcessStats).
std::optional<std::vector<pid_t>> descendantsOf(pid_t ancestor, const std::filesystem::path& proc = "/proc");

// The memory the process holds of its own (its resident anonymous memory, RssAnon in its
// status), in bytes; 0 when the process has gone or its status doesn't say. Absent when the
// status could not be read for another reason: what can't be seen is not nothing.
std::optional<std::uint64_t> ownMemoryOf(pid_t pid, const std::filesystem::path& proc = "/proc");

// The memory the process and every process below it hold of their own; absent when any of
// the looks failed.
std::optional<std::uint64_t> treeMemoryOf(pid_t pid, const std::filesystem::path& proc = "/proc");

} // namespace zantiva
