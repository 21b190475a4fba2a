#include "Platform/ProcTable.h"

#include <algorithm>
#include <charconv>

namespace zantiva {

namespace {

constexpr std::string_view blanks = " \t";

std::string_view afterBlanks(std::string_view text) {
    const auto start = text.find_first_not_of(blanks);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

} // namespace

ProcLine::ProcLine(std::string_view line) : rest_(line) { name_ = nextWord(); }

std::optional<std::uint64_t> ProcLine::nextNumber() {
    rest_ = afterBlanks(rest_);
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
    if (ec != std::errc()) return std::nullopt;
    rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
    return value;
}

std::string_view ProcLine::nextWord() {
    rest_ = afterBlanks(rest_);
    const auto end = std::min(rest_.find_first_of(blanks), rest_.size());
    const auto word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
}

std::vector<std::string_view> procLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::optional<std::uint64_t> rowNumber(std::string_view table, std::string_view row) {
    for (const std::string_view text : procLines(table)) {
        ProcLine line(text);
        if (line.name() == row) return line.nextNumber();
    }
    return std::nullopt;
}

} // namespace zantiva
