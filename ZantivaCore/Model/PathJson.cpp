#include "Model/PathJson.h"

#include "Localization/UnicodeText.h"
#include "Platform/HexText.h"

namespace zantiva::json {
namespace {

bool isValidUtf8(std::string_view text) {
    bool valid = true;
    unicode::forEachCodePoint(text, [&](std::int32_t codePoint, std::string_view) { valid = valid && codePoint >= 0; });
    return valid;
}

} // namespace

Json encodePath(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return Json{{"bytes", lowercaseHex(bytes)}};
}

std::string decodePath(const Json& value, std::string_view key) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_object() && value.size() == 1 && value.contains("bytes") && value["bytes"].is_string())
        if (auto bytes = bytesOfLowercaseHex(value["bytes"].get_ref<const std::string&>())) return *bytes;
    detail::fail(key, "a path: a text or {\"bytes\": hex}");
}

} // namespace zantiva::json
