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

} // namespace zantiva::toolguard
