#pragma once

#include <string>
#include <string_view>

// Letter case and digits of machine text (firmware fields, sysfs values, tool output, option
// names), by ASCII alone. The C library's <cctype> follows LC_CTYPE, which the window takes
// from the user: under a Turkish locale "I" doesn't lower to "i", and a firmware
// placeholder would pass for a name.
namespace zantiva::ascii {

constexpr char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text with its ASCII capitals lowered; every other byte as it was.
std::string lowered(std::string_view text);

} // namespace zantiva::ascii
