#pragma once

// Reading Geekbench's results: the result-page address its tool prints after an upload,
// the score table of a result page (as the page script returns it) or of the tool's own
// printout, and the result such a table gives. The grammar is in docs/outside-tools.md.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Model/ExternalBenchmarkResult.h"

namespace zantiva::GeekbenchOutput {

// The vendor's result browser; result pages and the page reader use only this host.
inline constexpr std::string_view resultBrowserHost = "browser.geekbench.com";

// A score label as shown (its original case) to the score.
using ScoreTable = std::map<std::string, double>;

// The first address "https://<host>/v<digits>/(cpu|compute|gpu)/<digits>" in the text,
// each number of at most 19 digits.
std::optional<std::string> resultURL(std::string_view text);

// The page script's JSON, an array of [score text, label] rows. A row counts when it has
// a non-empty label and its score (with "," removed, trimmed) is a finite number above 0.
// Text that is not an array of arrays of texts gives an empty table.
ScoreTable pageScores(std::string_view json);

// One printed line "<label ending in Score> <number>" as a table entry, when it is one
// and the number is a finite number above 0.
std::optional<std::pair<std::string, double>> printedScore(std::string_view line);

// CPU: the labels "single-core … score" and "multi-core … score" (in any case), both
// needed. GPU: the first label, in ascending order, that ends in "score" and starts with
// neither; its score is the GPU score. Recorded now; nothing when the labels don't fit.
std::optional<ExternalBenchmarkResult> result(const ScoreTable& table, bool isGPU);

// Whether the tool says it is uploading, or that its upload failed.
bool isUploadStart(std::string_view line);
bool isUploadFailure(std::string_view line);

} // namespace zantiva::GeekbenchOutput
