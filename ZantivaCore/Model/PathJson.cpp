#include "Model/PathJson.h"

#include "Localization/UnicodeText.h"

namespace zantiva::json {
namespace {

constexpr std::string_view hexDigits = "0123456789abcdef";

bool isValidUtf8(std::string_view text) {
    bool valid = true;
    unicode::forEachCodePoint(text, [&](std::int32_t codePoint, std::string_view) { valid = valid && codePoint >= 0; });
    return valid;
}

std::optional<std::string> fromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const auto high = hexDigits.find(hex[i]), low = hexDigits.find(hex[i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

} // namespace

Json encodePath(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    std::string hex;
    for (const unsigned char byte : bytes) (hex += hexDigits[byte >> 4]) += hexDigits[byte & 0xf];
    return Json{{"bytes", hex}};
}

std::string decodePath(const Json& value, std::string_view key) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_object() && value.size() == 1 && value.contains("bytes") && value["bytes"].is_string())
        if (auto bytes = fromHex(value["bytes"].get_ref<const std::string&>())) return *bytes;
    detail::fail(key, "a path: a text or {\"bytes\": hex}");
}

} // namespace zantiva::json
