#pragma once

#include <string>

#include "Model/Date.h"
#include "Model/JsonCodec.h"

namespace zantiva {

// A Geekbench run that uploaded its result but whose result page could not be read yet.
struct PendingGeekbenchResult {
    std::string url;   // a page of the vendor's result browser
    bool isGPU = false;
    Date uploadedAt{};

    bool operator==(const PendingGeekbenchResult&) const = default;
    json::Json toJson() const;
    static PendingGeekbenchResult fromJson(const json::Json& j);
};

} // namespace zantiva
