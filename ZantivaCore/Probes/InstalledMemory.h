#pragma once

#include <cstdint>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// Installed memory in bytes: the online memory blocks times the block size, which counts
// what the firmware and kernel keep for themselves; MemTotal (which does not) only when
// the kernel shows no memory blocks. 0 when neither can be read.
std::uint64_t installedMemoryBytes(const ProbeRoot& root);

} // namespace zantiva
