#pragma once

#include <chrono>
#include <ostream>

#include "Probes/SystemProbe.h"

namespace zantiva {

// "--dump-hardware": the machine's specifications, its device profile, its battery and
// one telemetry sample as `name: value` lines under a heading per group (docs/cli.md). Reads only;
// whatever cannot be read is "Unknown", 0 or left out, so it always ends with status 0.
// The sample covers loadWindow, so that its CPU load means something.
void dumpHardware(std::ostream& out, const ProbeOptions& options = {},
                  std::chrono::milliseconds loadWindow = std::chrono::milliseconds(200));

} // namespace zantiva
