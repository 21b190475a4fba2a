#include "External/CsvCells.h"

#include <cmath>

#include <unicode/utf8.h>

#include "Localization/DecimalText.h"

namespace zantiva::csv {
namespace {

// The text with each piece that isn't valid UTF-8 replaced by U+FFFD, as a UTF-8 reader
// shows it: the file declares UTF-8, and a device name may be anything.
std::string validUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        const int32_t at = i;
        UChar32 c;
        U8_NEXT(s, i, length, c);
        if (c < 0)
            out += "\xEF\xBF\xBD";
        else
            out += text.substr(at, i - at);
    }
    return out;
}

} // namespace

std::string textCell(std::string_view text) {
    std::string cell;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) cell = "'";
    cell += validUtf8(text);
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// "nan" or "-inf" is no number a spreadsheet reads ("-inf" even starts a formula): left empty.
std::string numberCell(double value, int fractionDigits) {
    return std::isfinite(value) ? decimalText(value, fractionDigits, false) : std::string();
}

std::string line(const std::vector<std::string>& cells) {
    std::string out;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += ',';
        out += cells[i];
    }
    return out + "\r\n";
}

} // namespace zantiva::csv
