#include "External/GeekbenchOutput.h"

#include <regex>

#include "External/ToolOutputText.h"
#include "Model/SpecText.h"

namespace zantiva::GeekbenchOutput {
namespace {

using tooltext::lowercased;

const std::regex& resultURLPattern() {
    static const std::regex pattern("https://" + std::regex_replace(std::string(resultBrowserHost), std::regex("\\."), "\\.") +
                                    "/v[0-9]+/(cpu|compute|gpu)/[0-9]+");
    return pattern;
}

} // namespace

std::optional<std::string> resultURL(std::string_view text) {
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_search(text.begin(), text.end(), match, resultURLPattern())) return std::nullopt;
    return match.str();
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
    if (!lowercased(label).ends_with("score")) return std::nullopt;
    const auto value = tooltext::score(line.substr(gap + 1));
    if (!value) return std::nullopt;
    return std::pair{std::string(label), *value};
}

std::optional<ExternalBenchmarkResult> result(const ScoreTable& table, bool isGPU) {
    ExternalBenchmarkResult out;
    for (const auto& [label, value] : table) {
        const std::string lower = lowercased(label);
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

bool isUploadStart(std::string_view line) { return lowercased(specText::trimmed(line)).starts_with("uploading"); }

bool isUploadFailure(std::string_view line) {
    const std::string lower = lowercased(line);
    return lower.find("upload") != std::string::npos &&
           (lower.find("fail") != std::string::npos || lower.find("error") != std::string::npos);
}

} // namespace zantiva::GeekbenchOutput
