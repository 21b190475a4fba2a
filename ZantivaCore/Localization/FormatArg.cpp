#include "Localization/FormatArg.h"

#include <charconv>
#include <cmath>

namespace zantiva {

namespace {
template <typename T> std::string decimalText(T value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}
} // namespace

double FormatArg::asDouble() const {
    if (const auto* i = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*i);
    if (const auto* u = std::get_if<std::uint64_t>(&value_)) return static_cast<double>(*u);
    if (const auto* d = std::get_if<double>(&value_)) return *d;
    return 0;
}

std::string FormatArg::description() const {
    if (const auto* i = std::get_if<std::int64_t>(&value_)) return decimalText(*i);
    if (const auto* u = std::get_if<std::uint64_t>(&value_)) return decimalText(*u);
    if (const auto* d = std::get_if<double>(&value_)) return doubleDescription(*d);
    if (const auto* s = std::get_if<std::string>(&value_)) return *s;
    return {};
}

std::string doubleDescription(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Plain notation between 1e-4 and 2^54, exponent notation outside, as people read them.
    const double magnitude = std::fabs(value);
    const bool exponent = magnitude > 0x1p54 || (magnitude != 0 && magnitude < 1e-4);
    char buffer[512];
    const auto format = exponent ? std::chars_format::scientific : std::chars_format::fixed;
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, format).ptr;
    std::string text(buffer, end);
    if (!exponent && text.find('.') == std::string::npos) text += ".0";
    return text;
}

} // namespace zantiva
