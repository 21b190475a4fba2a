#pragma once

#include <string>
#include <variant>

#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

// Geekbench uploaded its result and printed only the address of the result page.
struct GeekbenchUpload {
    std::string url;
    bool operator==(const GeekbenchUpload&) const = default;
};

// A Geekbench run gives its scores directly, or the page to read them from.
using GeekbenchRunOutcome = std::variant<ExternalBenchmarkResult, GeekbenchUpload>;

} // namespace zantiva
