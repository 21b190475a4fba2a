#pragma once

#include <string_view>

namespace zantiva {

// What may go into a request's head as it is written on the wire. A line break there would
// end the header early and start another one (or a new request): a value with any control
// character is refused, not cleaned.
bool isHeaderValue(std::string_view text);
// One token of HTTP's grammar (letters, digits and the few marks it allows), as a method or a
// field name is.
bool isToken(std::string_view text);

} // namespace zantiva
