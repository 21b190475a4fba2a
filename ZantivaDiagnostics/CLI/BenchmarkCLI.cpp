#include "CLI/BenchmarkCLI.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "CLI/CheckResourcesMode.h"
#include "CLI/CheckUpdateMode.h"
#include "CLI/CpuMode.h"
#include "CLI/DumpHardware.h"
#include "CLI/ExternalRunMode.h"
#include "CLI/ExternalScanMode.h"
#include "CLI/GeekbenchReadMode.h"
#include "CLI/GpuMode.h"
#include "CLI/MemoryMode.h"
#include "CLI/ResultLines.h"
#include "CLI/SmartMode.h"
#include "CLI/StorageMode.h"
#include "Account/AppVersion.h"

namespace zantiva {
namespace {

constexpr CliOption geekbenchReadOptions[] = {{"--window"}, {"--verbose"}};
constexpr CliOption externalRunOptions[] = {{"--short"}, {"--verbose"}};
constexpr CliOption storageOptions[] = {{"--quick"}};
constexpr CliOption cpuOptions[] = {{"--runs", "N"}};
constexpr CliOption gpuOptions[] = {{"--runs", "N"}, {"--bands", "N"}, {"--preview", "FILE"}};

constexpr CliMode modes[] = {
    {{"--smart"}, {}, runSmartMode},
    {{"--geekbench-read", "URL"}, geekbenchReadOptions, runGeekbenchReadMode},
    {{"--check-resources"}, {}, runCheckResourcesMode},
    {{"--external-run", "app", true}, externalRunOptions, runExternalRunMode},
    {{"--external-scan"}, {}, runExternalScanMode},
    {{"--check-update"}, {}, runCheckUpdateMode},
    {{"--ram"}, {}, runMemoryMode},
    {{"--ssd", "folder", true}, storageOptions, runStorageMode},
    {{"--cpu"}, cpuOptions, runCpuMode},
    {{"--gpu"}, gpuOptions, runGpuMode},
};

// The option named word among what the chosen mode accepts; the other modes' own options
// are accepted too, as they only yield to it.
const CliOption* accepted(std::string_view word, const CliMode* chosen, std::span<const CliMode> modes) {
    if (chosen) {
        const auto it = std::find_if(chosen->options.begin(), chosen->options.end(),
                                     [&](const CliOption& o) { return o.name == word; });
        if (it != chosen->options.end()) return &*it;
    }
    const auto mode = std::find_if(modes.begin(), modes.end(), [&](const CliMode& m) { return m.option.name == word; });
    return mode != modes.end() ? &mode->option : nullptr;
}

// What is wrong with the words for the chosen mode (none chosen: with any word at all).
std::optional<std::string> argumentProblem(const std::vector<std::string>& words, const CliMode* chosen,
                                           std::span<const CliMode> modes) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const CliOption* option = accepted(word, chosen, modes);
        if (!option)
            return (word.size() > 1 && word.starts_with('-') ? "unknown option " : "unexpected argument ") + word;
        // Its value is the next word unless that is an option, as CommandLine::value reads it.
        if (!option->value.empty() && i + 1 < words.size() && !words[i + 1].starts_with("--")) ++i;
    }
    return std::nullopt;
}

std::string usageOf(const CliOption& option) {
    std::string text(option.name);
    if (option.value.empty()) return text;
    return text + (option.valueIsOptional ? " [" + std::string(option.value) + "]" : " " + std::string(option.value));
}

} // namespace

std::span<const CliMode> benchmarkModes() { return modes; }

std::optional<int> runBenchmarkCommandLine(const CommandLine& commandLine, CliContext& context,
                                           std::span<const CliMode> modes) {
    const auto& words = commandLine.arguments();
    if (words.empty()) return std::nullopt;
    const auto chosen =
        std::find_if(modes.begin(), modes.end(), [&](const CliMode& m) { return commandLine.has(m.option.name); });
    const CliMode* mode = chosen != modes.end() ? &*chosen : nullptr;
    // Without a mode even the first word is a problem, so past this a mode is chosen.
    if (const auto problem = argumentProblem(words, mode, modes)) return printFailure(context.out, *problem);
    try {
        return mode->run(commandLine, context);
    } catch (const std::exception& error) {
        return printFailure(context.out, error.what());
    }
}

std::string usageLine(std::span<const CliMode> modes) {
    std::string line = "usage: zantiva-diagnostics [--help | --version | " + std::string(dumpHardwareOption);
    for (const CliMode& mode : modes) {
        line += " | " + usageOf(mode.option);
        for (const CliOption& option : mode.options) line += " [" + usageOf(option) + "]";
    }
    return line + "]";
}

std::optional<std::string> programInformation(const CommandLine& commandLine) {
    if (commandLine.has("--help") || commandLine.has("-h")) return usageLine() + "\n";
    if (commandLine.has("--version")) return "zantiva-diagnostics " + AppVersion::current().description() + "\n";
    return std::nullopt;
}

} // namespace zantiva
