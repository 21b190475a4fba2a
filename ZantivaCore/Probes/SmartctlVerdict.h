#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/CancelToken.h"
#include "Probes/DriveHealthReading.h"

namespace zantiva::DriveHealthReader {

// The drive's own SMART verdict as `smartctl --json -H` prints it: true when it passed,
// false when it is failing, absent when the output holds no verdict (no permission, no
// SMART support, not JSON). The exit status is not looked at: smartctl sets bits in it for
// a failing drive too.
std::optional<bool> parseSystemVerdict(std::string_view smartctlJson);

// Runs the verdict command (an argument list, bounded in time, ended at once when `cancel`
// is set) and parses what it printed; a command that cannot start or is cut off gives no
// verdict.
std::optional<bool> systemVerdict(const std::vector<std::string>& command, std::chrono::milliseconds timeout,
                                  const CancelToken& cancel = {});

// `smartctl --json -H <device node>`, or nothing when smartctl is not installed.
std::vector<std::string> smartctlVerdictCommand(const std::filesystem::path& deviceNode);

// The drive's verdict from smartctl run as this user. Refused, without a run, when this
// user may not open the device node: smartctl would be turned away the same way.
HealthSourceAnswer<bool> smartctlVerdict(const std::filesystem::path& deviceNode, std::chrono::milliseconds timeout,
                                         const CancelToken& cancel);

} // namespace zantiva::DriveHealthReader
