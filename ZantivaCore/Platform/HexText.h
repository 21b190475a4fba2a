#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// Bytes as lowercase hex digits, two a byte ("\x2f\xff" gives "2fff").
std::string lowercaseHex(std::string_view bytes);

// The bytes that lowercase hex digits spell; absent for an odd count or any other character.
std::optional<std::string> bytesOfLowercaseHex(std::string_view hex);

} // namespace zantiva
