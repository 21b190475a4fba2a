#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace zantiva {

// Every process below `ancestor` by the parent links in `proc` (a procfs), at any depth,
// nearest first, each once. Processes that end while the tree is read are simply left out.
std::vector<pid_t> descendantsOf(pid_t ancestor, const std::filesystem::path& proc = "/proc");

// The memory the process holds of its own (its resident anonymous memory, RssAnon in its
// status), in bytes; 0 when that can't be read.
std::uint64_t ownMemoryOf(pid_t pid, const std::filesystem::path& proc = "/proc");

} // namespace zantiva
