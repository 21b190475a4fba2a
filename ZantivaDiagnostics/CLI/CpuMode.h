#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// "--cpu [--runs N]": the CPU benchmark's two fixed batches (no sustained phase) with the
// machine's telemetry, N times (default 1); prints the CpuBenchmarkResult's lines, each
// run after a "run: i" line when there is more than one.
int runCpuMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
