#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// The outside benchmark applications, in their fixed order.
enum class ExternalBenchmarkApp { geekbench, cinebench2024, cinebench2026 };

template <> struct RawValues<ExternalBenchmarkApp> {
    static constexpr std::array<std::pair<ExternalBenchmarkApp, std::string_view>, 3> table{{
        {ExternalBenchmarkApp::geekbench, "geekbench"},
        {ExternalBenchmarkApp::cinebench2024, "cinebench2024"},
        {ExternalBenchmarkApp::cinebench2026, "cinebench2026"},
    }};
};

// "Geekbench", "Cinebench 2024", "Cinebench 2026".
std::string_view displayName(ExternalBenchmarkApp app);
// "Geekbench 6.3.0" when Geekbench's version is known, else the application's name.
std::string displayName(ExternalBenchmarkApp app, const std::optional<std::string>& geekbenchVersion);

// Every application but Cinebench 2024 has a GPU test.
constexpr bool supportsGPU(ExternalBenchmarkApp app) { return app != ExternalBenchmarkApp::cinebench2024; }

constexpr bool isCinebench(ExternalBenchmarkApp app) { return app != ExternalBenchmarkApp::geekbench; }

// The release year that tells the two Cinebench versions apart ("2024", "2026"); empty for Geekbench.
std::string_view cinebenchYear(ExternalBenchmarkApp app);

} // namespace zantiva
