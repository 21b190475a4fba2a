#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Model/DeductionScored.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// The keyboard test: scored keys never pressed and keys that registered twice.
struct KeyboardTestResult {
    static constexpr std::int64_t pointsPerDeduction = 2;

    std::int64_t totalKeysChecked = 0;
    std::vector<std::string> missingKeys;      // key labels
    std::vector<std::string> doublePressedKeys;

    std::int64_t deductionCount() const {
        return static_cast<std::int64_t>(missingKeys.size() + doublePressedKeys.size());
    }

    bool operator==(const KeyboardTestResult&) const = default;
    json::Json toJson() const;
    static KeyboardTestResult fromJson(const json::Json& j);
};

} // namespace zantiva
