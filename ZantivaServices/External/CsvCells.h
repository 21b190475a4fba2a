#pragma once

// The cells of a CSV file as RFC 4180 writes them: a cell holding a comma, a quote or a
// line break is quoted, quotes doubled. A text cell that a spreadsheet would take as a
// formula (starting with = + - @, a tab or a carriage return) gets a leading apostrophe,
// and bytes that aren't valid UTF-8 (a device name, say) become U+FFFD.
// Numbers use "." and no grouping, whatever the locale; a value that is not finite is an
// empty cell.

#include <string>
#include <string_view>
#include <vector>

namespace zantiva::csv {

std::string textCell(std::string_view text);
std::string numberCell(double value, int fractionDigits);
// The cells joined by "," and ended by CRLF.
std::string line(const std::vector<std::string>& cells);

} // namespace zantiva::csv
