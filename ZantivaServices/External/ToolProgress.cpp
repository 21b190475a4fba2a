#include "External/ToolProgress.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "Model/SpecText.h"

namespace zantiva {
namespace {

constexpr std::string_view digits = "0123456789";
constexpr std::string_view blanks = " \t\n\v\f\r";

// A progress figure with more decimals than this is none: the scan never follows a run
// of digits however far a broken tool prints it.
constexpr std::size_t maxFractionDigits = 6;

bool isWordCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The length of the run of digits at the start of `text`, counted up to `limit` + 1.
std::size_t digitRun(std::string_view text, std::size_t limit) {
    const std::string_view head = text.substr(0, limit + 1);
    return std::min(head.find_first_not_of(digits), head.size());
}

// "Running" at the start of the line (after blanks), as a word of its own.
bool startsWithRunning(std::string_view line) {
    const auto start = line.find_first_not_of(blanks);
    if (start == std::string_view::npos) return false;
    line.remove_prefix(start);
    constexpr std::string_view word = "Running";
    return line.starts_with(word) && (line.size() == word.size() || !isWordCharacter(line[word.size()]));
}

// The figure of "<n>%" when `text` starts with it: n of 1 to 3 digits, with at most
// maxFractionDigits decimals, blanks allowed before the "%".
std::optional<double> percentAt(std::string_view text) {
    std::size_t length = digitRun(text, 3);
    if (length == 0 || length > 3) return std::nullopt;
    if (length < text.size() && text[length] == '.') {
        const std::size_t fraction = digitRun(text.substr(length + 1), maxFractionDigits);
        if (fraction > maxFractionDigits) return std::nullopt;
        if (fraction > 0) length += 1 + fraction;
    }
    const auto sign = text.find_first_not_of(blanks, length);
    if (sign == std::string_view::npos || text[sign] != '%') return std::nullopt;
    // from_chars, not stod: Qt sets the C locale from the environment.
    double percent = 0;
    std::from_chars(text.data(), text.data() + length, percent);
    return percent;
}

// The first "<n>%" whose number stands as a word of its own, scanned once from left to
// right: a regular expression's backtracking recursed once per digit and overflowed the
// stack on a line of endless digits.
std::optional<double> firstPercent(std::string_view line) {
    for (std::size_t at = line.find_first_of(digits); at != std::string_view::npos;) {
        if (at == 0 || !isWordCharacter(line[at - 1]))
            if (const auto percent = percentAt(line.substr(at))) return percent;
        at = line.find_first_not_of(digits, at);
        if (at != std::string_view::npos) at = line.find_first_of(digits, at);
    }
    return std::nullopt;
}

} // namespace

std::optional<ExternalBenchmarkProgress> toolProgress(std::string_view line, bool isCinebench) {
    ExternalBenchmarkProgress progress;
    progress.isIndeterminate = isCinebench;
    if (startsWithRunning(line)) progress.status = std::string(specText::trimmed(line));
    if (!isCinebench)
        if (const auto percent = firstPercent(line); percent && *percent <= 100) progress.fraction = *percent / 100.0;
    if (!progress.status && !progress.fraction) return std::nullopt;
    return progress;
}

} // namespace zantiva
