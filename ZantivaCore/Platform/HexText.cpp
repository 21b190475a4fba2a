#include "Platform/HexText.h"

namespace zantiva {
namespace {

constexpr std::string_view hexDigits = "0123456789abcdef";

} // namespace

std::string lowercaseHex(std::string_view bytes) {
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const unsigned char byte : bytes) {
        hex.push_back(hexDigits[byte >> 4]);
        hex.push_back(hexDigits[byte & 0xF]);
    }
    return hex;
}

std::optional<std::string> bytesOfLowercaseHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const auto high = hexDigits.find(hex[i]);
        const auto low = hexDigits.find(hex[i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) return std::nullopt;
        bytes.push_back(static_cast<char>(high << 4 | low));
    }
    return bytes;
}

} // namespace zantiva
