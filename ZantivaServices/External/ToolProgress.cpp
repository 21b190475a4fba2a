#include "External/ToolProgress.h"

#include <array>
#include <charconv>
#include <regex>
#include <string>

#include "External/ToolOutputText.h"
#include "Model/SpecText.h"

namespace zantiva {
namespace {

using Match = std::match_results<std::string_view::const_iterator>;

struct ProgressRule {
    std::regex pattern;
    bool cinebenchToo;
    void (*apply)(const Match&, std::string_view line, ExternalBenchmarkProgress&);
};

const std::array<ProgressRule, 2>& rules() {
    static const std::array<ProgressRule, 2> table{{
        {std::regex("^\\s*Running\\b"), true,
         [](const Match&, std::string_view line, ExternalBenchmarkProgress& p) {
             p.status = std::string(specText::trimmed(line));
         }},
        {std::regex("\\b([0-9]{1,3}(\\.[0-9]+)?)\\s*%"), false,
         [](const Match& m, std::string_view, ExternalBenchmarkProgress& p) {
             // from_chars, not stod: Qt sets the C locale from the environment.
             const std::string text = m.str(1);
             double percent = 0;
             std::from_chars(text.data(), text.data() + text.size(), percent);
             if (percent <= 100) p.fraction = percent / 100.0;
         }},
    }};
    return table;
}

} // namespace

std::optional<ExternalBenchmarkProgress> toolProgress(std::string_view line, bool isCinebench) {
    ExternalBenchmarkProgress progress;
    progress.isIndeterminate = isCinebench;
    bool matched = false;
    for (const ProgressRule& rule : rules()) {
        if (isCinebench && !rule.cinebenchToo) continue;
        Match match;
        if (!std::regex_search(line.begin(), line.end(), match, rule.pattern)) continue;
        rule.apply(match, line, progress);
        matched = true;
    }
    if (!matched || (!progress.status && !progress.fraction)) return std::nullopt;
    return progress;
}

} // namespace zantiva
