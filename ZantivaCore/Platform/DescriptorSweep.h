#pragma once

// Closing, or marking close-on-exec, every descriptor from a number up, in a child forked
// from a process with threads: only async-signal-safe calls, nothing allocated.

namespace zantiva {

enum class DescriptorSweep { close, closeOnExec };

// The soft limit on this process's descriptors, as a count of numbers: read before the fork
// for the sweep's last resort.
int descriptorLimit();

// Every descriptor numbered `first` or more: close_range where the kernel has it (5.9; 5.11 to
// mark), else one by one (sweepOneByOne).
void sweepDescriptors(int first, DescriptorSweep sweep, int limit) noexcept;

// One by one: those that /proc/self/fd lists (read with getdents64 into a buffer on the
// stack), or, where it can't be read, every number below `limit` (descriptorLimit).
void sweepOneByOne(int first, DescriptorSweep sweep, int limit) noexcept;

} // namespace zantiva
