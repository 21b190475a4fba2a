#include "Model/ExternalBenchmarkApp.h"

namespace zantiva {

std::string_view displayName(ExternalBenchmarkApp app) {
    switch (app) {
    case ExternalBenchmarkApp::geekbench: return "Geekbench";
    case ExternalBenchmarkApp::cinebench2024: return "Cinebench 2024";
    case ExternalBenchmarkApp::cinebench2026: return "Cinebench 2026";
    }
    return {};
}

std::string displayName(ExternalBenchmarkApp app, const std::optional<std::string>& geekbenchVersion) {
    std::string name(displayName(app));
    if (app == ExternalBenchmarkApp::geekbench && geekbenchVersion && !geekbenchVersion->empty())
        name += " " + *geekbenchVersion;
    return name;
}

std::string_view cinebenchYear(ExternalBenchmarkApp app) {
    switch (app) {
    case ExternalBenchmarkApp::geekbench: return {};
    case ExternalBenchmarkApp::cinebench2024: return "2024";
    case ExternalBenchmarkApp::cinebench2026: return "2026";
    }
    return {};
}

} // namespace zantiva
