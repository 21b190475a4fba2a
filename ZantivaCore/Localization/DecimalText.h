#pragma once

#include <string>

namespace zantiva {

// A number as a person writes it in either interface language: ASCII digits, "." as the
// decimal point and, when asked, "," between groups of three integer digits; exactly
// `fractionDigits` fraction digits, at least one integer digit. Halves round away from
// zero on the number as it reads (its shortest decimal text), so 2.675 gives "2.68" and
// -2.5 with no fraction digits gives "-3". A result that rounds to zero has no sign.
// Not-a-number and the infinities give "nan", "inf" and "-inf". Never reads the C locale.
std::string decimalText(double value, int fractionDigits, bool grouping);

} // namespace zantiva
