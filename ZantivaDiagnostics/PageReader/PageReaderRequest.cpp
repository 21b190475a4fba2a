#include "PageReader/PageReaderRequest.h"

#include <charconv>

namespace zantiva {
namespace {

// Bytes of this many MiB still fit in 64 bits.
constexpr std::uint64_t maximumMemoryMiB = std::uint64_t{1} << 40;

std::string millisecondsText(std::chrono::milliseconds length) { return std::to_string(length.count()); }

// A number above 0, in decimal digits alone.
template <typename Number>
std::optional<Number> positive(const std::string& text) {
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return value;
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
                               "--windowed", millisecondsText(timing.windowed), "--memory", std::to_string(memoryMiB),
                               "--", address});
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
            } else if (word == "--memory") {
                const auto mebibytes = positive<std::uint64_t>(value);
                if (!mebibytes || *mebibytes > maximumMemoryMiB) return std::nullopt;
                request.memoryMiB = *mebibytes;
            } else {
                std::chrono::milliseconds* length = word == "--round"      ? &request.timing.round
                                                    : word == "--quiet"    ? &request.timing.quiet
                                                    : word == "--windowed" ? &request.timing.windowed
                                                                           : nullptr;
                const auto parsed = positive<std::chrono::milliseconds::rep>(value);
                if (!length || !parsed) return std::nullopt;
                *length = std::chrono::milliseconds(*parsed);
            }
        }
    }
    return std::nullopt;
}

} // namespace zantiva
