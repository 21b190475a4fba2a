#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Localization/FormatArg.h"

// The template engine of every interface text. A placeholder reads {index[,width][:spec]}:
// the argument at `index`, padded to `width` characters (right-aligned when positive,
// left-aligned when negative) and, for numbers, formatted by `spec`: N/n/F/f with an
// optional count of fraction digits (N groups thousands; the count defaults to 2), or a
// pattern of "0", "#", "," and "." ("#,##0.0"). "{{" and "}}" stand for single braces.
// Numbers always come out with ASCII digits, "." and ",", whatever the language or the
// C locale. No state: safe on any thread.
namespace zantiva::CompositeFormat {

// Widths and fraction-digit counts above this are cut to it, so that no template can
// ask for an enormous text.
inline constexpr int maximumWidth = 1000;
inline constexpr int maximumFractionDigits = 1000;

// Fills the template's placeholders. Never fails: a placeholder that names a missing
// argument or has an unreadable index stays as written, an unreadable width is ignored,
// an invalid spec prints the argument's own text, an unclosed "{" leaves the rest as is.
std::string format(std::string_view templateText, const std::vector<FormatArg>& args);

// The argument indices that the template's placeholders name ("{0} of {1}" gives {0, 1}).
std::set<std::int64_t> argumentIndices(std::string_view templateText);

} // namespace zantiva::CompositeFormat
