#pragma once

#include <functional>

#include "Platform/NamedThread.h"

namespace zantiva {

// Runs body(i) for i = 0 … count − 1, each on a thread of its own made with identity(i),
// waits for all of them and then rethrows the first error any of them threw (later
// ones are dropped). The other threads are not interrupted: each stops at its own
// next cancellation check.
void runOnThreads(int count, const std::function<ThreadIdentity(int)>& identity,
                  const std::function<void(int)>& body);

// The processors the calling thread may run on (its affinity mask, which taskset, cgroup
// cpusets and container limits narrow); the online count when the mask can't be read;
// at least 1. Threads started afterwards inherit the same mask.
int usableProcessorCount();

} // namespace zantiva
