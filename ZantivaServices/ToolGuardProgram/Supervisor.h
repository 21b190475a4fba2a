#pragma once

#include <sys/types.h>

namespace zantiva::toolguard {

// How the tool ended: its exit code, or the signal that killed it (then not 0).
struct ToolEnd {
    int exitCode = 0;
    int signal = 0;
};

// Runs `arguments` (program first, a name without "/" looked up on PATH; null-terminated)
// as a child in a process group of its own, this process being a child subreaper, so that
// every process the tool starts stays below this one whatever it does (a new session
// included). When the tool ends, whatever it left running is killed; when `parent` dies
// (or already has) or SIGTERM, SIGINT or SIGHUP arrive, the tool and everything below it
// are killed. Returns once nothing is left below this process. A program that can't be
// started is reported on the report descriptor and ends as exit code 127.
ToolEnd supervise(pid_t parent, char* const* arguments);

// The guard's own process: runs supervise() in a child of its own (the keeper) and watches
// it, both being subreapers, so that nothing the tool started outlives either of them. When
// this process dies outright (SIGKILL, the kernel's out-of-memory killer), the keeper is told
// by the kernel and ends all below it; when the keeper dies so, what it held comes up to this
// process, which ends it. SIGTERM, SIGINT and SIGHUP, and the end of `parent`, pass on to the
// keeper. Returns as the keeper ended (as the tool did), once nothing is left below.
ToolEnd watchOver(pid_t parent, char* const* arguments);

// Ends this process as the tool ended: by its exit code, or by its signal (without a core).
[[noreturn]] void endAs(ToolEnd end);

} // namespace zantiva::toolguard
