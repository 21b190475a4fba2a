#include "External/GeekbenchOutput.h"

#include <algorithm>
#include <array>

#include "External/ToolOutputText.h"
#include "Model/SpecText.h"
#include "Platform/AsciiText.h"

namespace zantiva::GeekbenchOutput {
namespace {

// A version or result number longer than this is no real address: the scan stops there
// instead of following the digits however far a broken tool prints them.
constexpr std::size_t maxNumberDigits = 19;

// The length of the number (1 to maxNumberDigits digits) that `text` starts with; 0 when
// it starts with none or with a longer one.
std::size_t numberLength(std::string_view text) {
    const std::string_view head = text.substr(0, maxNumberDigits + 1);
    const std::size_t length = std::min(head.find_first_not_of("0123456789"), head.size());
    return length <= maxNumberDigits ? length : 0;
}

// The length of "/v<digits>/(cpu|compute|gpu)/<digits>" at the start of `text`, else 0.
std::size_t resultPathLength(std::string_view text) {
    if (!text.starts_with("/v")) return 0;
    std::size_t at = 2;
    const std::size_t version = numberLength(text.substr(at));
    if (version == 0) return 0;
    at += version;
    static constexpr std::array<std::string_view, 3> kinds{"/cpu/", "/compute/", "/gpu/"};
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](std::string_view k) { return text.substr(at).starts_with(k); });
    if (kind == kinds.end()) return 0;
    at += kind->size();
    const std::size_t result = numberLength(text.substr(at));
    return result == 0 ? 0 : at + result;
}

} // namespace

// Scanned by hand: a regular expression's backtracking recursed once per digit and
// overflowed the stack on a line of endless digits.
std::optional<std::string> resultURL(std::string_view text) {
    const std::string site = "https://" + std::string(resultBrowserHost);
    for (auto at = text.find(site); at != std::string_view::npos; at = text.find(site, at + 1))
        if (const std::size_t path = resultPathLength(text.substr(at + site.size())))
            return std::string(text.substr(at, site.size() + path));
    return std::nullopt;
}

ScoreTable pageScores(std::string_view text) {
    const json::Json rows = json::Json::parse(text, nullptr, false);
    if (!rows.is_array()) return {};
    for (const auto& row : rows) {
        if (!row.is_array()) return {};
        for (const auto& cell : row)
            if (!cell.is_string()) return {};
    }
    ScoreTable table;
    for (const auto& row : rows) {
        if (row.size() < 2) continue;
        const std::string& label = row[1].get_ref<const std::string&>();
        if (label.empty()) continue;
        std::string value = row[0].get<std::string>();
        std::erase(value, ',');
        if (auto number = tooltext::score(value)) table[label] = *number;
    }
    return table;
}

std::optional<std::pair<std::string, double>> printedScore(std::string_view line) {
    line = specText::trimmed(line);
    const auto gap = line.find_last_of(" \t");
    if (gap == std::string_view::npos) return std::nullopt;
    const std::string_view label = specText::trimmed(line.substr(0, gap));
    if (!tooltext::endsWithIgnoringCase(label, "score")) return std::nullopt;
    const auto value = tooltext::score(line.substr(gap + 1));
    if (!value) return std::nullopt;
    return std::pair{std::string(label), *value};
}

std::optional<ExternalBenchmarkResult> result(const ScoreTable& table, bool isGPU) {
    ExternalBenchmarkResult out;
    for (const auto& [label, value] : table) {
        const std::string lower = ascii::lowered(label);
        if (!lower.ends_with("score")) continue;
        const bool single = lower.starts_with("single-core");
        const bool multi = lower.starts_with("multi-core");
        if (isGPU) {
            if (!single && !multi && !out.gpuScore) out.gpuScore = value;
        } else if (single && !out.singleCoreScore) {
            out.singleCoreScore = value;
        } else if (multi && !out.multiCoreScore) {
            out.multiCoreScore = value;
        }
    }
    if (isGPU ? !out.gpuScore : !(out.singleCoreScore && out.multiCoreScore)) return std::nullopt;
    return out;
}

bool isUploadStart(std::string_view line) {
    return tooltext::startsWithIgnoringCase(specText::trimmed(line), "uploading");
}

bool isUploadFailure(std::string_view line) {
    return tooltext::containsIgnoringCase(line, "upload") &&
           (tooltext::containsIgnoringCase(line, "fail") || tooltext::containsIgnoringCase(line, "error"));
}

} // namespace zantiva::GeekbenchOutput
