#include "Account/AppVersion.h"

#include <charconv>

namespace zantiva {

std::optional<AppVersion> AppVersion::parse(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);

    AppVersion version;
    std::size_t count = 0;
    for (;;) {
        if (count == version.parts_.size()) return std::nullopt;
        const char* begin = text.data();
        const char* end = begin + text.size();
        auto [next, error] = std::from_chars(begin, end, version.parts_[count]);
        if (error != std::errc{} || next == begin) return std::nullopt;
        ++count;
        text.remove_prefix(static_cast<std::size_t>(next - begin));
        if (text.empty()) break;
        if (text.front() != '.') return std::nullopt;
        text.remove_prefix(1);
    }
    if (count < 2) return std::nullopt;
    return version;
}

AppVersion AppVersion::current() { return parse(ZANTIVA_VERSION).value_or(AppVersion{}); }

std::string AppVersion::description() const {
    std::string text = std::to_string(parts_[0]) + "." + std::to_string(parts_[1]) + "." + std::to_string(parts_[2]);
    if (parts_[3] != 0) text += "." + std::to_string(parts_[3]);
    return text;
}

} // namespace zantiva
