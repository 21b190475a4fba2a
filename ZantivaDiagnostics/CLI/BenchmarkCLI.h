#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// One windowless mode: the option that selects it, how the usage line shows it, and the
// function that runs it and returns the exit status (0 success, 1 after "failed: …").
struct CliMode {
    std::string_view option;
    std::string_view usage;
    int (*run)(const CommandLine& commandLine, CliContext& context);
};

// The modes in the order they are tried; the first whose option is present runs.
std::span<const CliMode> benchmarkModes();

// Runs the first mode whose option appears among the arguments and returns its exit
// status; absent when no mode's option is there (the window is then the program's
// business). An error a mode lets escape is printed as "failed: …" with status 1.
std::optional<int> runBenchmarkCommandLine(const CommandLine& commandLine, CliContext& context,
                                           std::span<const CliMode> modes = benchmarkModes());

// "usage: zantiva-diagnostics [--ram | --cpu [--runs N] | …]"
std::string usageLine(std::span<const CliMode> modes = benchmarkModes());

} // namespace zantiva
