#pragma once

#include <optional>
#include <string_view>

#include "External/ExternalBenchmarkProgress.h"

namespace zantiva {

// The progress one output line reports: a line that starts with "Running" becomes the
// status text; the first "<n>%" in a Geekbench line (n a word of its own, 0 to 100, with at
// most six decimals) gives the fraction n/100. Cinebench reports no fraction, so its
// progress is always indeterminate. Nothing when the line reports no progress.
std::optional<ExternalBenchmarkProgress> toolProgress(std::string_view line, bool isCinebench);

} // namespace zantiva
