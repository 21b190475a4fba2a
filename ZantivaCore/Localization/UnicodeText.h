#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The Unicode questions that message templates raise, answered on UTF-8 text the way a
// reader sees it: a "character" is a user-perceived character (an extended grapheme
// cluster), so a Persian letter with its marks, or a letter with a joiner, counts once.
namespace zantiva::unicode {

// The text cut into its characters, in order; each piece views into `text`.
std::vector<std::string_view> characters(std::string_view text);

std::size_t characterCount(std::string_view text);

// True when the character's first code point carries a numeric value (Numeric_Type
// decimal, digit or numeric): ASCII and other scripts' digits, fractions, superscripts.
bool isNumberCharacter(std::string_view character);

// The text without leading and trailing tabs and space separators (the blank, the
// no-break space and the like); line breaks stay.
std::string_view trimBlanks(std::string_view text);

// Calls `visit` with each code point of the text in order and the bytes it takes; a piece
// that is not valid UTF-8 comes with a negative code point.
void forEachCodePoint(std::string_view text, const std::function<void(std::int32_t codePoint, std::string_view piece)>& visit);

} // namespace zantiva::unicode
