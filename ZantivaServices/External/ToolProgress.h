#pragma once

#include <optional>
#include <string_view>

#include "External/ExternalBenchmarkProgress.h"

namespace zantiva {

// The progress one output line reports, by a table of (pattern, conversion): a line
// that starts with "Running" becomes the status text; "<n>%" (0 to 100) anywhere in a
// Geekbench line gives the fraction n/100. Cinebench reports no fraction, so its
// progress is always indeterminate. Nothing when the line reports no progress.
std::optional<ExternalBenchmarkProgress> toolProgress(std::string_view line, bool isCinebench);

} // namespace zantiva
