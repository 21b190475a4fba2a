#include "Probes/PlaceholderText.h"

#include <algorithm>
#include <array>

#include "Model/SpecText.h"
#include "Platform/AsciiText.h"

namespace zantiva {

namespace {

constexpr std::array<std::string_view, 19> placeholders{
    "to be filled by o.e.m.", "to be filled by oem", "default string", "system product name",
    "system manufacturer", "system version", "system serial number", "base board product name",
    "base board manufacturer", "not applicable", "not specified", "not available", "none", "n/a",
    "o.e.m.", "oem", "type1productconfigid", "0123456789", "invalid",
};

} // namespace

bool isPlaceholderText(std::string_view text) {
    if (!specText::isKnown(text)) return true;
    const std::string t = ascii::lowered(specText::trimmed(text));
    if (std::find(placeholders.begin(), placeholders.end(), t) != placeholders.end()) return true;
    // Runs of one filler character ("xxxxxxxx", "00000000", "........").
    return t.size() > 2 && std::all_of(t.begin(), t.end(), [&](char c) { return c == t.front(); });
}

std::optional<std::string> knownHardwareText(const std::optional<std::string>& text) {
    if (!text || isPlaceholderText(*text)) return std::nullopt;
    return std::string(specText::trimmed(*text));
}

} // namespace zantiva
