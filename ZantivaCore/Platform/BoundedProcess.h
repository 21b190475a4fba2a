#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "Platform/CancelToken.h"

namespace zantiva {

// What a bounded child run gave: its standard output (and error, when asked for) and how it ended.
struct BoundedProcessResult {
    std::string output;      // standard output, cut at the output limit
    std::string errors;      // standard error, cut at the error limit; empty without one
    int exitStatus = -1;     // exit code; -1 when it did not exit on its own
    bool timedOut = false;   // killed at the deadline
    bool cancelled = false;  // killed because the run it served was stopped
    bool readFailed = false; // killed because its output could no longer be read
    bool succeeded() const { return !timedOut && !cancelled && !readFailed && exitStatus == 0; }
};

// Runs a program from an argument list (never through a shell), standard input on
// /dev/null, standard error too unless `errorLimit` asks for its first bytes (both streams
// are then read as they come, so that neither fills and stops the program), and waits at
// most `timeout` for it to finish; a child still running then is killed with its process
// group, and so is one still running once `cancel` is set (seen within a few hundredths of
// a second). Either way the child is reaped before this returns, unless it can no longer be
// signalled (it became another user's, as pkexec's program does): then this returns at once
// and the child is reaped when it ends (or left unreaped, when no thread can be started to
// wait for it). The child's group is killed should the calling thread end first, however it
// ends (a keeper process waits in the group for that); only a member that became another
// user's (pkexec's program) is beyond it, and ends by its own rules.
// Nothing is thrown: a program that cannot be started gives no result.
std::optional<BoundedProcessResult> runBoundedProcess(const std::vector<std::string>& arguments,
                                                      std::chrono::milliseconds timeout,
                                                      std::size_t outputLimit = 1 << 20,
                                                      const CancelToken& cancel = {},
                                                      std::size_t errorLimit = 0);

} // namespace zantiva
