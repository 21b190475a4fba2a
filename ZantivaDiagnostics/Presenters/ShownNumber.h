#pragma once

#include <string>
#include <string_view>

#include "Localization/FormatArg.h"

namespace zantiva {

// A measured number on its way to the screen. A value that is not finite (a broken reading,
// a division by zero upstream) shows as an em dash, never as "nan" or "inf".
inline constexpr const char* missingNumber = "\u2014";

// The value itself when finite, else the dash as text (a text argument ignores the
// placeholder's number spec, so "{0:0.0}%" reads "—%").
FormatArg shownNumber(double value);
// The value in the template ("{0:N1}", "{0:0.000}"), or the dash alone when not finite.
std::string formattedNumber(std::string_view templateText, double value);

} // namespace zantiva
