#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zantiva {

// Firmware fills identity fields it was never given with placeholders ("To Be Filled By
// O.E.M.", "Default string", "System Product Name"); such a text names nothing.
bool isPlaceholderText(std::string_view text);

// The text trimmed, or absent when it is empty, a placeholder or "Unknown".
std::optional<std::string> knownHardwareText(const std::optional<std::string>& text);

} // namespace zantiva
