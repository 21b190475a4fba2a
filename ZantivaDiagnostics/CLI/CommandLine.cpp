#include "CLI/CommandLine.h"

#include <algorithm>
#include <charconv>

namespace zantiva {

CommandLine::CommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) arguments_.emplace_back(argv[i]);
}

bool CommandLine::has(std::string_view option) const {
    return std::find(arguments_.begin(), arguments_.end(), option) != arguments_.end();
}

std::optional<std::string> CommandLine::value(std::string_view option) const {
    auto it = std::find(arguments_.begin(), arguments_.end(), option);
    if (it == arguments_.end() || ++it == arguments_.end()) return std::nullopt;
    if (it->starts_with("--")) return std::nullopt;
    return *it;
}

std::optional<int> CommandLine::wholeNumber(std::string_view option, int least, int most) const {
    const auto text = value(option);
    if (!text) return std::nullopt;
    int number = 0;
    const char* end = text->data() + text->size();
    const auto [stop, error] = std::from_chars(text->data(), end, number);
    if (error != std::errc() || stop != end || number < least || number > most) return std::nullopt;
    return number;
}

} // namespace zantiva
