#pragma once

#include <sys/types.h>
#include <vector>

namespace zantiva::toolguard {

// A look at what runs below this process.
using DescendantScan = std::vector<pid_t> (*)();

// Sends SIGKILL to every process `scan` finds. The look reads /proc and allocates, and a guard
// ended by its failure would leave the tool's processes running: when it throws, `group` (a
// process group; 0 for none) is killed instead. The callers look again on their next round,
// until nothing is left below them.
void killDescendants(pid_t group, DescendantScan scan) noexcept;

} // namespace zantiva::toolguard
