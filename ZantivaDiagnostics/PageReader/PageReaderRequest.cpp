#include "PageReader/PageReaderRequest.h"

#include <charconv>

namespace zantiva {
namespace {

std::string millisecondsText(std::chrono::milliseconds length) { return std::to_string(length.count()); }

std::optional<std::chrono::milliseconds> milliseconds(const std::string& text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return std::chrono::milliseconds(value);
}

} // namespace

std::vector<std::string> PageReaderRequest::arguments() const {
    std::vector<std::string> words;
    if (isGPU) words.emplace_back("--gpu");
    if (interactive) words.emplace_back("--window");
    if (verbose) words.emplace_back("--verbose");
    words.insert(words.end(), {"--language", std::string(rawValue(language))});
    if (site) words.insert(words.end(), {"--site", *site});
    words.insert(words.end(), {"--round", millisecondsText(timing.round), "--quiet", millisecondsText(timing.quiet),
                               "--windowed", millisecondsText(timing.windowed), "--", address});
    return words;
}

std::optional<PageReaderRequest> PageReaderRequest::parse(std::span<const std::string> words) {
    PageReaderRequest request;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--") {
            if (i + 2 != words.size()) return std::nullopt;
            request.address = words[i + 1];
            return request;
        }
        if (word == "--gpu") request.isGPU = true;
        else if (word == "--window") request.interactive = true;
        else if (word == "--verbose") request.verbose = true;
        else {
            if (i + 1 == words.size()) return std::nullopt;
            const std::string& value = words[++i];
            if (word == "--site") {
                request.site = value;
            } else if (word == "--language") {
                const auto language = appLanguageFromRaw(value);
                if (!language) return std::nullopt;
                request.language = *language;
            } else {
                std::chrono::milliseconds* length = word == "--round"      ? &request.timing.round
                                                    : word == "--quiet"    ? &request.timing.quiet
                                                    : word == "--windowed" ? &request.timing.windowed
                                                                           : nullptr;
                const auto parsed = milliseconds(value);
                if (!length || !parsed) return std::nullopt;
                *length = *parsed;
            }
        }
    }
    return std::nullopt;
}

} // namespace zantiva
