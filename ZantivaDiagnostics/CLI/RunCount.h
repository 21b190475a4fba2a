#pragma once

#include <optional>
#include <string>

#include "CLI/CommandLine.h"

namespace zantiva {

// "--runs N" of the benchmark modes: how many times a mode repeats its run.
inline constexpr int mostRuns = 1000;

// 1 without the option; absent when its value is not a whole number from 1 to mostRuns.
std::optional<int> runCount(const CommandLine& commandLine);

// What a mode prints after "failed: " for a value runCount refuses.
std::string runCountProblem();

} // namespace zantiva
