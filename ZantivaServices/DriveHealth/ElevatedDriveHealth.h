#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "Platform/CancelToken.h"
#include "Probes/DriveHealthReading.h"

namespace zantiva {

// Reads one drive with the drive health program (DriveHealth/DriveHealthProtocol.h),
// started by `launcher` (pkexec for the program; nothing in tests), waiting at most
// `timeout`, the user's answer to the question for rights included. How it ended:
// - read: status 0 and an answer in the protocol;
// - declined: pkexec's 126 (the person declined or dismissed the question), its 127 with
//   "Not authorized" on its standard error (a wrong password, or a policy that says no), or
//   the time ran out before the program printed its start line (the question was left
//   unanswered);
// - nobodyToAsk: any other 127 of pkexec's (no agent to ask, no polkit), a launcher that
//   can't be started, or no drive health program at `program`;
// - failed: a refused name, any other end of the program (an error status, its alarm), the
//   time ran out after it started (the rights were given), its output could not be read, or
//   what it printed isn't its answer;
// - stopped: `cancel` was set. The launcher is then killed at once: pkexec, though setuid,
//   still runs as this user while it waits for the answer, and its end withdraws the
//   question. Should the program already run as root, it can't be signalled; this returns
//   at once all the same, and the program, which ends with its caller and within its own
//   bound, is reaped when it ends.
ElevatedDriveReading readDriveThroughProgram(const std::vector<std::string>& launcher,
                                             const std::filesystem::path& program, const std::string& drive,
                                             std::chrono::milliseconds timeout, const CancelToken& cancel = {});

// The program's way: the drive health program beside this one, through pkexec without an
// agent of pkexec's own (the desktop's agent asks, or nobody does: a terminal is never
// prompted behind a progress line). A question left open for two minutes counts as
// declined. Nobody to ask without pkexec; stopped at once when `cancel` is set.
ElevatedDriveReading readDriveWithAdministratorRights(const std::string& drive, const CancelToken& cancel);

} // namespace zantiva
