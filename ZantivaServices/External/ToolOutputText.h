#pragma once

// Small text helpers shared by the readers of the outside tools' output.

#include <optional>
#include <string>
#include <string_view>

namespace zantiva::tooltext {

// Whether `text` holds `lowerNeedle` (given in lower case), ignoring ASCII case. Tools may
// print millions of lines: this copies nothing.
bool containsIgnoringCase(std::string_view text, std::string_view lowerNeedle);
bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix);
bool endsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix);
// A whole text as a finite number above 0 (POSIX form, "." as the decimal point).
std::optional<double> score(std::string_view text);
// Whether the tool says that this system is not supported.
bool isUnsupportedSystem(std::string_view line);

} // namespace zantiva::tooltext
