#pragma once

// Reading a Cinebench console program's printout; the grammar is in docs/outside-tools.md.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Model/ExternalBenchmarkStep.h"

namespace zantiva::CinebenchOutput {

// The score of a line "CB <number>" (anything may follow the number), when the number
// is a finite number above 0.
std::optional<double> score(std::string_view line);

// The arguments that select one test: "g_CinebenchCpu1Test=true" (single-core),
// "g_CinebenchCpuXTest=true" (multi-core) or "g_CinebenchGpuTest=true".
std::vector<std::string> arguments(ExternalTestKind kind);

} // namespace zantiva::CinebenchOutput
