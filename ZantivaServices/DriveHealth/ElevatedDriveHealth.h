#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Platform/CancelToken.h"
#include "Probes/DriveHealthReading.h"

namespace zantiva {

// Reads one drive with the drive health program (DriveHealth/DriveHealthProtocol.h),
// started by `launcher` (pkexec for the program; nothing in tests), waiting at most
// `timeout`, the user's answer to the question for rights included. Absent when the name
// is refused, the program couldn't start, it was cut off, it ended otherwise than with
// status 0 (pkexec's 126: the user declined; 127: no agent to ask, or not allowed), or
// what it printed isn't its answer. Once `cancel` is set the launcher is killed and reaped
// at once: pkexec, though setuid, still runs as this user while it waits for the answer,
// and its end withdraws the question. Should the program already run as root, it can't be
// signalled, but it ends with its caller and within its own bound.
std::optional<DriveHealthReading> readDriveThroughProgram(const std::vector<std::string>& launcher,
                                                          const std::filesystem::path& program,
                                                          const std::string& drive,
                                                          std::chrono::milliseconds timeout,
                                                          const CancelToken& cancel = {});

// The program's way: the drive health program beside this one, through pkexec without an
// agent of pkexec's own (the desktop's agent asks, or nobody does: a terminal is never
// prompted behind a progress line). A question left open for two minutes counts as
// declined. Absent without pkexec, and at once when `cancel` is set.
std::optional<DriveHealthReading> readDriveWithAdministratorRights(const std::string& drive,
                                                                   const CancelToken& cancel);

} // namespace zantiva
