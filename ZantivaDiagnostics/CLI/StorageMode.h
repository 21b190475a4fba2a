#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Engines/StorageBenchmarkConfiguration.h"

namespace zantiva {

// One run of 1 s per test with 0.5 s of settling, for a quick look.
inline constexpr StorageBenchmarkConfiguration quickStorageConfiguration{
    .fileSize = 1'073'741'824, .runsPerTest = 1, .measureSeconds = 1.0, .settleSeconds = 0.5};

// "--ssd [folder] [--quick]": the drive speed test in the folder (the current folder when
// none is given); one line per measurement, then the result's other fields.
int runStorageMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
