#pragma once

#include <algorithm>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

#include "Platform/ProcessStat.h"

namespace zantiva::testing {

// Whether the process has ended: it is gone or only a zombie waiting for its parent.
inline bool isGone(pid_t pid) {
    const auto stat = processStatOf(pid);
    return !stat || stat->state == 'Z';
}

// Whether this process has a child, running or not yet reaped.
inline bool hasChildProcesses() {
    return std::ranges::any_of(allProcessStats().value(), [self = ::getpid()](const ProcessStat& process) {
        return process.parent == self;
    });
}

// The processes that run, zombies left out.
inline std::vector<ProcessStat> runningProcesses() {
    auto processes = allProcessStats().value();
    std::erase_if(processes, [](const ProcessStat& process) { return process.state == 'Z'; });
    return processes;
}

} // namespace zantiva::testing
