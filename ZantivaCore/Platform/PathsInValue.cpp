#include "Platform/PathsInValue.h"

#include <algorithm>

namespace zantiva {
namespace {

constexpr std::string_view separators = ":;,= \t\n\"'";

std::vector<std::string_view> partsOf(std::string_view value, std::string_view between) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = std::min(value.find_first_of(between, start), value.size());
        parts.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string decoded(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low < 0) {
            plain += text[i];
            continue;
        }
        plain += char(high * 16 + low);
        i += 2;
    }
    return plain;
}

void addOnce(std::vector<std::string>& paths, std::string path) {
    if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(std::move(path));
}

} // namespace

std::vector<std::string> absolutePathsIn(std::string_view value) {
    std::vector<std::string> paths;
    if (value.starts_with('/')) addOnce(paths, std::string(value));
    for (const std::string_view part : partsOf(value, separators)) {
        if (!part.starts_with('/')) continue;
        addOnce(paths, std::string(part));
        if (part.find('%') != std::string_view::npos) addOnce(paths, decoded(part));
    }
    return paths;
}

std::optional<std::vector<std::string>> pathListParts(std::string_view value) {
    const auto parts = partsOf(value, ":");
    if (parts.size() < 2 || !parts.front().starts_with('/')) return std::nullopt;
    return std::vector<std::string>(parts.begin(), parts.end());
}

} // namespace zantiva
