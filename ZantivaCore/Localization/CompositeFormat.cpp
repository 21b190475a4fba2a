#include "Localization/CompositeFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "Localization/DecimalText.h"
#include "Localization/UnicodeText.h"

namespace zantiva::CompositeFormat {

namespace {

bool isChar(std::string_view character, char c) { return character.size() == 1 && character[0] == c; }

std::size_t offsetOf(std::string_view whole, std::string_view part) {
    return static_cast<std::size_t>(part.data() - whole.data());
}

struct Split {
    std::string_view before;
    std::optional<std::string_view> after;
};

// Cuts the text at the first character equal to `at`.
Split split(std::string_view text, char at) {
    for (std::string_view character : unicode::characters(text))
        if (isChar(character, at)) {
            const auto position = offsetOf(text, character);
            return {text.substr(0, position), text.substr(position + 1)};
        }
    return {text, std::nullopt};
}

// An optional "+" or "-", then ASCII digits only, within the 64-bit signed range.
std::optional<std::int64_t> readInteger(std::string_view text) {
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    const std::size_t digitsStart = !plus && !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= digitsStart || text[digitsStart] < '0' || text[digitsStart] > '9') return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::string> numeric(double value, std::string_view spec) {
    const auto characters = unicode::characters(spec);
    const std::string_view first = characters.front();
    int fractionDigits = 2;
    bool grouping = false;
    const bool standard = (isChar(first, 'N') || isChar(first, 'n') || isChar(first, 'F') || isChar(first, 'f')) &&
                          std::all_of(characters.begin() + 1, characters.end(), unicode::isNumberCharacter);
    if (standard) {
        const auto rest = spec.substr(first.size());
        // Digits of another script, or more than fit, leave the default count.
        if (const auto count = readInteger(rest); !rest.empty() && count)
            fractionDigits = static_cast<int>(std::min<std::int64_t>(*count, maximumFractionDigits));
        grouping = first[0] == 'N' || first[0] == 'n';
    } else {
        if (spec.find_first_not_of("0#,.") != std::string_view::npos) return std::nullopt;
        const auto dot = spec.find('.');
        const auto after = dot == std::string_view::npos ? 0 : spec.size() - dot - 1;
        fractionDigits = static_cast<int>(std::min<std::size_t>(after, maximumFractionDigits));
        grouping = spec.find(',') != std::string_view::npos;
    }
    return decimalText(value, fractionDigits, grouping);
}

std::string stringFor(const FormatArg& arg, std::optional<std::string_view> spec) {
    if (arg.isAbsent()) return {};
    if (!arg.isNumber()) return arg.description();
    if (spec && !spec->empty()) {
        if (auto text = numeric(arg.asDouble(), *spec)) return *text;
        return arg.description();
    }
    if (arg.isInteger()) return arg.description();
    // Whole doubles print without a fraction, so a count of 3.0 reads "3".
    const double value = arg.asDouble();
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return FormatArg(static_cast<std::int64_t>(value)).description();
    return arg.description();
}

std::string render(std::string_view item, const std::vector<FormatArg>& args) {
    const auto [head, spec] = split(item, ':');
    const auto [indexPart, widthPart] = split(head, ',');
    const auto index = readInteger(unicode::trimBlanks(indexPart));
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(args.size()))
        return "{" + std::string(item) + "}";
    std::string text = stringFor(args[static_cast<std::size_t>(*index)], spec);
    if (!widthPart) return text;
    const auto width = readInteger(unicode::trimBlanks(*widthPart));
    if (!width) return text;

    const std::int64_t limit = maximumWidth;
    const auto n = static_cast<std::size_t>(*width < 0 ? (*width < -limit ? limit : -*width) : std::min(*width, limit));
    const std::size_t count = unicode::characterCount(text);
    if (n <= count) return text;
    const std::string blanks(n - count, ' ');
    return *width < 0 ? text + blanks : blanks + text;
}

} // namespace

std::string format(std::string_view templateText, const std::vector<FormatArg>& args) {
    if (templateText.empty()) return {};
    const auto characters = unicode::characters(templateText);
    const auto is = [&](std::size_t i, char c) { return i < characters.size() && isChar(characters[i], c); };
    std::string out;
    out.reserve(templateText.size() + 16);
    std::size_t i = 0;
    while (i < characters.size()) {
        if (is(i, '{')) {
            if (is(i + 1, '{')) {
                out += '{';
                i += 2;
                continue;
            }
            std::size_t close = i + 1;
            while (close < characters.size() && !is(close, '}')) ++close;
            const auto open = offsetOf(templateText, characters[i]);
            if (close == characters.size()) {
                out += templateText.substr(open);
                break;
            }
            out += render(templateText.substr(open + 1, offsetOf(templateText, characters[close]) - open - 1), args);
            i = close + 1;
        } else if (is(i, '}')) {
            out += '}';
            i += is(i + 1, '}') ? 2 : 1;
        } else {
            out += characters[i++];
        }
    }
    return out;
}

std::set<std::int64_t> argumentIndices(std::string_view templateText) {
    std::string text(templateText);
    for (const std::string_view escape : {"{{", "}}"})
        for (auto at = text.find(escape); at != std::string::npos; at = text.find(escape, at)) text.erase(at, 2);

    std::set<std::int64_t> indices;
    const auto characters = unicode::characters(text);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (!isChar(characters[i], '{')) continue;
        std::size_t close = i + 1;
        while (close < characters.size() && !isChar(characters[close], '}')) ++close;
        if (close == characters.size()) break;
        // The leading run of number characters, untrimmed: "{ 0}" names nothing.
        std::size_t runEnd = i + 1;
        while (runEnd < close && unicode::isNumberCharacter(characters[runEnd])) ++runEnd;
        if (runEnd > i + 1) {
            const auto start = offsetOf(text, characters[i + 1]);
            const auto run = std::string_view(text).substr(start, offsetOf(text, characters[runEnd]) - start);
            if (const auto index = readInteger(run)) indices.insert(*index);
        }
        i = close;
    }
    return indices;
}

} // namespace zantiva::CompositeFormat
