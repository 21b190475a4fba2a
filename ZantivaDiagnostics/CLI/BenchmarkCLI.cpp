#include "CLI/BenchmarkCLI.h"

#include <exception>

#include "CLI/CheckUpdateMode.h"
#include "CLI/CpuMode.h"
#include "CLI/ExternalScanMode.h"
#include "CLI/GpuMode.h"
#include "CLI/MemoryMode.h"
#include "CLI/ResultLines.h"
#include "CLI/SmartMode.h"
#include "CLI/StorageMode.h"

namespace zantiva {
namespace {

// Tried in this order: "--smart", "--geekbench-read", "--check-resources",
// "--external-run", "--external-scan", "--check-update", "--ram", "--ssd", "--cpu", "--gpu".
constexpr CliMode modes[] = {
    {"--smart", "--smart", runSmartMode},
    {"--external-scan", "--external-scan", runExternalScanMode},
    {"--check-update", "--check-update", runCheckUpdateMode},
    {"--ram", "--ram", runMemoryMode},
    {"--ssd", "--ssd [folder] [--quick]", runStorageMode},
    {"--cpu", "--cpu [--runs N]", runCpuMode},
    {"--gpu", "--gpu [--runs N] [--bands N] [--preview FILE]", runGpuMode},
};

} // namespace

std::span<const CliMode> benchmarkModes() { return modes; }

std::optional<int> runBenchmarkCommandLine(const CommandLine& commandLine, CliContext& context,
                                           std::span<const CliMode> modes) {
    for (const CliMode& mode : modes) {
        if (!commandLine.has(mode.option)) continue;
        try {
            return mode.run(commandLine, context);
        } catch (const std::exception& error) {
            return printFailure(context.out, error.what());
        }
    }
    return std::nullopt;
}

std::string usageLine(std::span<const CliMode> modes) {
    std::string line = "usage: zantiva-diagnostics [";
    for (std::size_t i = 0; i < modes.size(); ++i) {
        if (i > 0) line += " | ";
        line += modes[i].usage;
    }
    return line + "]";
}

} // namespace zantiva
