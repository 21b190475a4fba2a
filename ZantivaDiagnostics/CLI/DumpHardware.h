#pragma once

#include <chrono>
#include <ostream>
#include <string_view>

#include "Probes/DriveHealthReader.h"
#include "Model/SensorSnapshot.h"
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

// The telemetry group's lines: each reading with the precision it carries (a tenth of a
// percent, degree or watt, a hundredth of a GB), memory pressure and thermal state as words.
void printSensorSnapshotLines(std::ostream& out, const SensorSnapshot& sample);

// "--dump-hardware": the machine's specs, its device profile, its drives' health,
// its battery and one telemetry sample as `name: value` lines under a heading per group
// (docs/cli.md). Reads only;
// whatever cannot be read is "Unknown", 0 or left out, so it always ends with status 0.
// The sample covers loadWindow, so that its CPU load means something.
void dumpHardware(std::ostream& out, const HardwareDumpSources& sources = {},
                  std::chrono::milliseconds loadWindow = std::chrono::milliseconds(200));

} // namespace zantiva
