#include "External/ToolOutputText.h"
#include "Model/SpecText.h"

#include <algorithm>
#include <charconv>

#include "Model/ExternalBenchmarkResult.h"
#include "Platform/AsciiText.h"

namespace zantiva::tooltext {

namespace {

bool equalIgnoringCase(std::string_view text, std::string_view lowerOther) {
    return text.size() == lowerOther.size() &&
           std::equal(text.begin(), text.end(), lowerOther.begin(), [](char a, char b) { return ascii::lower(a) == b; });
}

} // namespace

bool containsIgnoringCase(std::string_view text, std::string_view lowerNeedle) {
    if (lowerNeedle.empty()) return true;
    // Only where the first letter stands, in either case, is the rest compared.
    const char first = lowerNeedle.front();
    const char upperFirst = ascii::upper(first);
    // Each case is looked for again only once passed, so every byte is scanned once per case.
    std::size_t small = text.find(first);
    std::size_t capital = upperFirst == first ? std::string_view::npos : text.find(upperFirst);
    for (;;) {
        const std::size_t at = std::min(small, capital);
        if (at == std::string_view::npos || at + lowerNeedle.size() > text.size()) return false;
        if (equalIgnoringCase(text.substr(at, lowerNeedle.size()), lowerNeedle)) return true;
        if (at == small) small = text.find(first, at + 1);
        if (at == capital) capital = text.find(upperFirst, at + 1);
    }
}

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
    return equalIgnoringCase(text.substr(0, lowerPrefix.size()), lowerPrefix);
}

bool endsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix) {
    return text.size() >= lowerSuffix.size() &&
           equalIgnoringCase(text.substr(text.size() - lowerSuffix.size()), lowerSuffix);
}

std::optional<double> score(std::string_view text) {
    text = specText::trimmed(text);
    if (text.empty() || text.front() == '+') return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !isUsableScore(value)) return std::nullopt;
    return value;
}

bool isUnsupportedSystem(std::string_view line) {
    return containsIgnoringCase(line, "unsupported operating system") ||
           containsIgnoringCase(line, "unsupported system");
}

} // namespace zantiva::tooltext
