#pragma once

#include <chrono>
#include <ostream>
#include <string_view>

#include "Probes/DriveHealthReader.h"
#include "Probes/SystemProbe.h"

namespace zantiva {

// Where the dump reads: the specs, battery and telemetry under probe.root, the
// drives' health through their own reader.
struct HardwareDumpSources {
    ProbeOptions probe;
    DriveHealthOptions drives;
};

// The option of the hardware dump. The process entry looks for it before the benchmark
// command line, and with it nothing else runs, whatever the other words.
inline constexpr std::string_view dumpHardwareOption = "--dump-hardware";

// "--dump-hardware": the machine's specs, its device profile, its drives' health,
// its battery and one telemetry sample as `name: value` lines under a heading per group
// (docs/cli.md). Reads only;
// whatever cannot be read is "Unknown", 0 or left out, so it always ends with status 0.
// The sample covers loadWindow, so that its CPU load means something.
void dumpHardware(std::ostream& out, const HardwareDumpSources& sources = {},
                  std::chrono::milliseconds loadWindow = std::chrono::milliseconds(200));

} // namespace zantiva
