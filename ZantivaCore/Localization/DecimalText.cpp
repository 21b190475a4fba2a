#include "Localization/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "Localization/FormatArg.h"

namespace zantiva {

namespace {

// The shortest digits that read back as the value, and where the decimal point stands
// among them: value = 0.<digits> × 10^point.
struct Digits {
    std::string digits;
    int point = 0;
};

Digits shortestDigits(double magnitude) {
    if (magnitude == 0) return {"0", 1};
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const auto e = text.find('e');
    Digits out;
    for (char c : text.substr(0, e))
        if (c != '.') out.digits += c;
    int exponent = 0;
    const auto exponentText = text.substr(e + 1);
    const char* first = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(first, exponentText.data() + exponentText.size(), exponent);
    out.point = exponent + 1;
    return out;
}

// Keeps `keep` leading digits, rounding the dropped rest half away from zero.
void roundTo(Digits& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (keep >= static_cast<int>(d.digits.size())) return;
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    }
}

std::string grouped(const std::string& integer) {
    std::string out;
    out.reserve(integer.size() + integer.size() / 3);
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) out += ',';
        out += integer[i];
    }
    return out;
}

} // namespace

std::string decimalText(double value, int fractionDigits, bool grouping) {
    if (!std::isfinite(value)) return doubleDescription(value);
    fractionDigits = std::max(fractionDigits, 0);
    Digits d = shortestDigits(std::fabs(value));
    roundTo(d, d.point + fractionDigits);

    const auto digitAt = [&](int position) {
        return position >= 0 && position < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(position)]
                                                                              : '0';
    };
    std::string integer(1, '0');
    if (d.point > 0) {
        integer.resize(static_cast<std::size_t>(d.point));
        for (int p = 0; p < d.point; ++p) integer[static_cast<std::size_t>(p)] = digitAt(p);
    }

    std::string text;
    const bool zero = std::all_of(d.digits.begin(), d.digits.end(), [](char c) { return c == '0'; });
    if (std::signbit(value) && !zero) text += '-';
    text += grouping ? grouped(integer) : integer;
    if (fractionDigits > 0) {
        text += '.';
        for (int i = 0; i < fractionDigits; ++i) text += digitAt(d.point + i);
    }
    return text;
}

} // namespace zantiva
