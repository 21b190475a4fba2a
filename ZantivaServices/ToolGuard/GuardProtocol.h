#pragma once

// How the launcher and the tool guard (the small program every outside tool runs under)
// talk: the guard's file name, its arguments and the descriptor of its launch report.
//
//   zantiva-tool-guard PARENT-PID PROGRAM [ARGUMENT…]
//
// PARENT-PID is the launching program: when it is gone (before or during the run) the tool
// and everything it started are killed. SIGTERM, SIGINT or SIGHUP to the guard do the same.
// The guard ends when the tool and all its descendants have ended, with the tool's exit
// status (or by the signal that killed the tool). Killed outright, it still leaves nothing the
// tool started running (see docs/outside-tools.md).

namespace zantiva::toolguard {

inline constexpr const char* programName = "zantiva-tool-guard";

// When open in the guard, a program that could not be started is reported here as its
// errno in decimal; the descriptor is closed for the tool itself.
inline constexpr int reportDescriptor = 3;

} // namespace zantiva::toolguard
