#pragma once

#include <string>
#include <string_view>

namespace zantiva {

// How the station pages turn the engines' numbers into what they show.
namespace StationNumbers {

// What stands for a reading that is missing or not a number.
inline constexpr const char* missing = "\u2014";

// The value of a determinate bar: held to 0 ... 1, and 0 when it is not a number.
double barFraction(double value);

// The number through the template ("{0:0}%"), or the dash when it is not finite: an engine's
// NaN must never reach the screen as "nan".
std::string reading(std::string_view templateText, double value);

} // namespace StationNumbers
} // namespace zantiva
