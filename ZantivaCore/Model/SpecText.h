#pragma once

#include <string_view>
#include <vector>

// Questions asked of the texts a hardware reading gives: whether it says anything, and
// comparisons that ignore letter case (Unicode case folding, code point by code point).
namespace zantiva::specText {

// Without white space and line breaks (Unicode White_Space) at both ends.
std::string_view trimmed(std::string_view text);

// The pieces between runs of white space and line breaks, none of them empty.
std::vector<std::string_view> words(std::string_view text);

// Not blank and not "Unknown" in any letter case, once trimmed: what a reader gives when
// it could not read the value.
bool isKnown(std::string_view text);

bool equalIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

} // namespace zantiva::specText
