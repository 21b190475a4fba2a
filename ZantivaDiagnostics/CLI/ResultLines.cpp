#include "CLI/ResultLines.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <unicode/utf8.h>

namespace zantiva {
namespace {

std::string valueText(const nlohmann::json& value) {
    if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
    if (value.is_number_unsigned()) return std::to_string(value.get<std::uint64_t>());
    if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
    if (value.is_number_float()) return posixNumber(value.get<double>());
    if (value.is_string()) return value.get<std::string>();
    return value.dump();
}

std::string childName(std::string_view prefix, std::string_view name) {
    return prefix.empty() ? std::string(name) : std::string(prefix) + "." + std::string(name);
}

} // namespace

void printResultLines(std::ostream& out, const nlohmann::json& record, std::string_view prefix) {
    if (record.is_object()) {
        for (auto it = record.begin(); it != record.end(); ++it) printResultLines(out, it.value(), childName(prefix, it.key()));
    } else if (record.is_array()) {
        for (std::size_t i = 0; i < record.size(); ++i) printResultLines(out, record[i], childName(prefix, std::to_string(i)));
    } else if (!record.is_null()) {
        printLine(out, prefix, valueText(record));
    }
}

std::string lineText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t at = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        const std::string_view piece = text.substr(at, i - at);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) { // also c < 0: not valid UTF-8
            for (const unsigned char byte : piece) {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02x", byte);
                out += escape;
            }
        } else {
            out += piece;
        }
    }
    return out;
}

void printLine(std::ostream& out, std::string_view name, std::string_view value) {
    out << lineText(name) << ": " << lineText(value) << '\n';
}

std::string posixNumber(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
    if (value == 0) value = 0;  // no "-0"
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string posixNumber(double value, int decimals) {
    if (!std::isfinite(value)) return posixNumber(value);
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    std::string s(text, end);
    if (s.starts_with('-') && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
    return s;
}

int printFailure(std::ostream& out, std::string_view error) {
    printLine(out, "failed", error);
    out.flush();
    return 1;
}

} // namespace zantiva
