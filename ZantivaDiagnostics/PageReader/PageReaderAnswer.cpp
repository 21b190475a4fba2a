#include "PageReader/PageReaderAnswer.h"

namespace zantiva::PageReaderAnswer {
namespace {

constexpr std::string_view personAsked = "person-asked";
constexpr std::string_view scoresPrefix = "scores ";
constexpr std::string_view unread = "none unread";
constexpr std::string_view refusedAsRoot = "none as-root";
constexpr std::string_view tooLarge = "none too-large";
constexpr std::string_view noDisplay = "none no-display";

std::optional<ExternalBenchmarkResult> scores(std::string_view text) {
    const json::Json j = json::Json::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object()) return std::nullopt;
    try {
        const auto result = ExternalBenchmarkResult::fromJson(j);
        for (const auto& score : {result.singleCoreScore, result.multiCoreScore, result.gpuScore})
            if (score && !isUsableScore(*score)) return std::nullopt;
        if (result.hasAnyScore()) return result;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

} // namespace

std::string print(const Line& line) {
    if (std::holds_alternative<PersonAsked>(line)) return std::string(personAsked);
    if (const auto* result = std::get_if<ExternalBenchmarkResult>(&line))
        return std::string(scoresPrefix) + result->toJson().dump();
    switch (std::get<NoScores>(line)) {
    case NoScores::unread: return std::string(unread);
    case NoScores::refusedAsRoot: return std::string(refusedAsRoot);
    case NoScores::tooLarge: return std::string(tooLarge);
    case NoScores::noDisplay: return std::string(noDisplay);
    }
    return std::string(unread);
}

std::optional<Line> parse(std::string_view text) {
    if (text == personAsked) return PersonAsked{};
    if (text == unread) return NoScores::unread;
    if (text == refusedAsRoot) return NoScores::refusedAsRoot;
    if (text == tooLarge) return NoScores::tooLarge;
    if (text == noDisplay) return NoScores::noDisplay;
    if (text.starts_with(scoresPrefix))
        if (auto result = scores(text.substr(scoresPrefix.size()))) return *result;
    return std::nullopt;
}

} // namespace zantiva::PageReaderAnswer
