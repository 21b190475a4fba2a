#pragma once

#include <filesystem>
#include <span>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"
#include "External/ExternalBenchmarkStore.h"

namespace zantiva {

// "--external-scan": searches the outside-benchmark folders and prints, for each
// application, where it was found, or the installation the user chose before.
int runExternalScanMode(const CommandLine& commandLine, CliContext& context);

// The mode's work over given folders and store; always status 0.
int runExternalScan(CliContext& context, std::span<const std::filesystem::path> folders,
                    const ExternalBenchmarkStore& store);

} // namespace zantiva
