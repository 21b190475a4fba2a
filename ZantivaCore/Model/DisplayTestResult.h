#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/DeductionScored.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// What the user reported in the display test.
struct DisplayTestResult {
    static constexpr std::int64_t pointsPerDeduction = 10;

    std::vector<std::string> issues;           // message keys such as "Display.Issue.DeadPixels"
    std::optional<double> measuredRefreshRateHz;

    std::int64_t deductionCount() const { return static_cast<std::int64_t>(issues.size()); }

    bool operator==(const DisplayTestResult&) const = default;
    json::Json toJson() const;
    static DisplayTestResult fromJson(const json::Json& j);
};

} // namespace zantiva
