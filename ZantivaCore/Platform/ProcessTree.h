#pragma once

#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace zantiva::toolguard {

// Every process below `ancestor` by the parent links in `proc` (a procfs), at any depth,
// nearest first. Processes that end while the tree is read are simply left out.
std::vector<pid_t> descendantsOf(pid_t ancestor, const std::filesystem::path& proc = "/proc");

} // namespace zantiva::toolguard
