#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "CLI/CliContext.h"
#include "CLI/CommandLine.h"

namespace zantiva {

// A word of the command line and the value it takes: the word after it, unless that
// word is itself an option ("--…").
struct CliOption {
    std::string_view name;        // "--runs"
    std::string_view value = {};  // how the usage names its value ("N", "FILE"); empty: takes none
    bool valueIsOptional = false; // the usage shows "[folder]" rather than "N"
};

// One windowless mode: the option that selects it (with its own value, if any), the
// other options it accepts, and the function that runs it and returns the exit status
// (0 success, 1 after "failed: …"). A missing or malformed value is the mode's to refuse.
struct CliMode {
    CliOption option;
    std::span<const CliOption> options;
    int (*run)(const CommandLine& commandLine, CliContext& context);
};

// The modes in the order they are tried; the first whose option is present runs.
std::span<const CliMode> benchmarkModes();

// Runs the first mode whose option appears among the arguments and returns its exit
// status; absent when there are no arguments at all. A word that mode doesn't accept
// (nor the option of another mode, which yields to it) fails before anything runs:
// "failed: unknown option --quik" for an option, "failed: unexpected argument /mnt/usb"
// for any other word; so do any arguments when no mode is asked for. An error a mode
// lets escape is printed as "failed: …" with status 1.
std::optional<int> runBenchmarkCommandLine(const CommandLine& commandLine, CliContext& context,
                                           std::span<const CliMode> modes = benchmarkModes());

// "usage: zantiva-diagnostics [--help | --version | --dump-hardware | --ram | --cpu [--runs N] | …]"
std::string usageLine(std::span<const CliMode> modes = benchmarkModes());

// What "--help" (or "-h") and "--version" ask for, wherever they stand and before any mode:
// the usage line, or "zantiva-diagnostics 1.0.0"; each ends with a line feed. Absent when the
// arguments ask for neither.
std::optional<std::string> programInformation(const CommandLine& commandLine);

} // namespace zantiva
