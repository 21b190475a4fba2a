#include "Model/KeyboardTestResult.h"

#include "Model/RecordFields.h"

namespace zantiva {

namespace {
constexpr auto fields = std::tuple{
    json::field("totalKeysChecked", &KeyboardTestResult::totalKeysChecked),
    json::field("missingKeys", &KeyboardTestResult::missingKeys),
    json::field("doublePressedKeys", &KeyboardTestResult::doublePressedKeys),
};
} // namespace

json::Json KeyboardTestResult::toJson() const { return json::encodeFields(*this, fields); }
KeyboardTestResult KeyboardTestResult::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
