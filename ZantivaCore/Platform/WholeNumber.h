#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zantiva {

// A whole decimal number with nothing else around it (optionally signed), as the kernel
// writes one in a value file or a folder name.
std::optional<std::int64_t> parseInteger(std::string_view text);

} // namespace zantiva
