#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

// What the result-page reader program says on its standard output, one line each; the grammar
// is in docs/outside-tools.md. Every other line (the web engine's own diagnostics) is none of
// these.
namespace PageReaderAnswer {

// The quiet read found no scores: a window now asks a person to pass the site's check.
struct PersonAsked {
    bool operator==(const PersonAsked&) const = default;
};

// Why a read ended without scores: tooLarge, the page took more memory than the read may;
// noDisplay, the display the program was given couldn't be opened, so nothing was loaded.
enum class NoScores { unread, refusedAsRoot, tooLarge, noDisplay };

using Line = std::variant<PersonAsked, ExternalBenchmarkResult, NoScores>;

std::string print(const Line& line);
// Absent for a line of any other form, and for scores that hold no usable score.
std::optional<Line> parse(std::string_view text);

} // namespace PageReaderAnswer
} // namespace zantiva
