#include "Model/PathJson.h"

#include <optional>

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
    std::optional<std::string> bytes;
    if (value.is_string())
        bytes = value.get<std::string>();
    else if (value.is_object() && value.size() == 1 && value.contains("bytes") && value["bytes"].is_string())
        bytes = bytesOfLowercaseHex(value["bytes"].get_ref<const std::string&>());
    // The system takes a path up to its first NUL: one inside would name another file.
    if (bytes && bytes->find('\0') == std::string::npos) return *bytes;
    detail::fail(key, "a path: a text or {\"bytes\": hex}, without a NUL byte");
}

} // namespace zantiva::json
