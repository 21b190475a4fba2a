#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Engines/GPUBenchmarkConfiguration.h"

namespace zantiva {

// "--gpu [--runs N] [--bands N] [--preview FILE]": the GPU benchmark's warm-up and
// measured frames (no sustained stage) at the standard size, N times (default 1), with
// a fixed band count when given; prints the GpuBenchmarkResult's lines, each run after a
// "run: i" line when there is more than one, and writes the last preview as a PNG file.
int runGpuMode(const CommandLine& commandLine, CliContext& context);

// The same on another configuration (the standard one is slow on a software renderer).
int runGpuMode(const CommandLine& commandLine, CliContext& context, GPUBenchmarkConfiguration configuration);

} // namespace zantiva
