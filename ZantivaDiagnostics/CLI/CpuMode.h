#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Engines/CPUWorkload.h"

namespace zantiva {

// "--cpu [--runs N]": the CPU benchmark's two fixed batches (no sustained phase) with the
// machine's telemetry, N times (default 1); prints the CpuBenchmarkResult's lines, each
// run after a "run: i" line when there is more than one.
int runCpuMode(const CommandLine& commandLine, CliContext& context);

// The same on another workload (the standard one takes half a minute or more).
int runCpuMode(const CommandLine& commandLine, CliContext& context, CPUWorkload workload);

} // namespace zantiva
