#pragma once

#include <optional>
#include <sys/types.h>
#include <vector>

namespace zantiva::toolguard {

// A look at what runs below this process; absent when the process table could not be read.
using DescendantScan = std::optional<std::vector<pid_t>> (*)();

// Sends SIGKILL to every process `scan` finds. The look reads /proc and allocates, and a guard
// that took a failed look for an empty one would leave the tool's processes running: when it
// fails or throws, `group` (a process group; 0 for none) is killed instead. The callers look
// again on their next round, until nothing is left below them.
void killDescendants(pid_t group, DescendantScan scan) noexcept;

} // namespace zantiva::toolguard
