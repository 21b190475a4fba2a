#include "External/ExternalBenchmarkLocatorError.h"

namespace zantiva {
namespace {

std::string describe(ExternalBenchmarkLocatorError::Kind kind, const std::string& text, ExternalBenchmarkApp expected) {
    const std::string app(displayName(expected));
    switch (kind) {
    case ExternalBenchmarkLocatorError::Kind::notThisApp: return "\"" + text + "\" is not " + app;
    case ExternalBenchmarkLocatorError::Kind::wrongVersion: return "found version " + text + ", not " + app;
    case ExternalBenchmarkLocatorError::Kind::noCommandLineTool: return "\"" + text + "\" holds no command-line tool";
    case ExternalBenchmarkLocatorError::Kind::notExecutable: return "can't run " + text;
    case ExternalBenchmarkLocatorError::Kind::notOnDiskImage: return "\"" + text + "\" has no " + app + " on it";
    }
    return text;
}

} // namespace

ExternalBenchmarkLocatorError::ExternalBenchmarkLocatorError(Kind kind, std::string text, ExternalBenchmarkApp expected)
    : std::runtime_error(describe(kind, text, expected)), kind_(kind), text_(std::move(text)), expected_(expected) {}

ExternalBenchmarkLocatorError ExternalBenchmarkLocatorError::notThisApp(std::string chosen, ExternalBenchmarkApp expected) {
    return {Kind::notThisApp, std::move(chosen), expected};
}
ExternalBenchmarkLocatorError ExternalBenchmarkLocatorError::wrongVersion(std::string found, ExternalBenchmarkApp expected) {
    return {Kind::wrongVersion, std::move(found), expected};
}
ExternalBenchmarkLocatorError ExternalBenchmarkLocatorError::noCommandLineTool(std::string bundle) {
    return {Kind::noCommandLineTool, std::move(bundle), ExternalBenchmarkApp::geekbench};
}
ExternalBenchmarkLocatorError ExternalBenchmarkLocatorError::notExecutable(std::string path) {
    return {Kind::notExecutable, std::move(path), ExternalBenchmarkApp::geekbench};
}
ExternalBenchmarkLocatorError ExternalBenchmarkLocatorError::notOnDiskImage(std::string image, ExternalBenchmarkApp expected) {
    return {Kind::notOnDiskImage, std::move(image), expected};
}

} // namespace zantiva
