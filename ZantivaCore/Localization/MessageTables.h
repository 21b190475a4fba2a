#pragma once

#include <string_view>
#include <unordered_map>

// The English and Persian interface texts, keyed by dotted message key. Both are fixed
// program data, built on first use (thread-safe) and kept for the life of the process.
namespace zantiva::StringsEn {
const std::unordered_map<std::string_view, std::string_view>& table();
}
namespace zantiva::StringsFa {
const std::unordered_map<std::string_view, std::string_view>& table();
}
