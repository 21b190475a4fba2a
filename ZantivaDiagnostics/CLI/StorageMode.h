#pragma once

#include <ostream>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "Engines/StorageBenchmarkConfiguration.h"
#include "Model/StorageBenchmarkResult.h"

namespace zantiva {

// One run of 1 s per test with 0.5 s of settling, for a quick look.
inline constexpr StorageBenchmarkConfiguration quickStorageConfiguration{
    .fileSize = 1'073'741'824, .runsPerTest = 1, .measureSeconds = 1.0, .settleSeconds = 0.5};

// "--ssd [folder] [--quick]": the drive speed test in the folder (the current folder when
// none is given); one line per measurement, then the result's other fields.
int runStorageMode(const CommandLine& commandLine, CliContext& context);

// "SEQ1M Q8T1 read: 2345.6 MB/s, 2236.7 IOPS, 3.571 ms" for each measurement present, then
// the record's other fields as "name: value" lines.
void printStorageResultLines(std::ostream& out, const StorageBenchmarkResult& result);

} // namespace zantiva
