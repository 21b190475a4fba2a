#pragma once

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// "--ram": the memory pattern test over 512 MiB; prints the MemoryTestResult's lines.
int runMemoryMode(const CommandLine& commandLine, CliContext& context);

} // namespace zantiva
