#include "External/ExternalBenchmarkError.h"

namespace zantiva {

ExternalBenchmarkError::ExternalBenchmarkError(Kind kind, std::string what)
    : std::runtime_error(std::move(what)), kind_(kind) {}

ExternalBenchmarkError ExternalBenchmarkError::couldNotLaunch(std::string name, std::string reason) {
    ExternalBenchmarkError e(Kind::couldNotLaunch, "couldn't start " + name + ": " + reason);
    e.name_ = std::move(name);
    e.reason_ = std::move(reason);
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::exited(std::string name, std::int32_t code, std::string output) {
    ExternalBenchmarkError e(Kind::exited, name + " quit with exit code " + std::to_string(code));
    e.name_ = std::move(name);
    e.code_ = code;
    e.output_ = std::move(output);
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::noScore(std::string name, std::string output) {
    ExternalBenchmarkError e(Kind::noScore, name + " reported no score");
    e.name_ = std::move(name);
    e.output_ = std::move(output);
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::unsupportedSystem(std::string name) {
    ExternalBenchmarkError e(Kind::unsupportedSystem, name + " does not support this system");
    e.name_ = std::move(name);
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::geekbenchUploadFailed(std::string detail) {
    ExternalBenchmarkError e(Kind::geekbenchUploadFailed, "Geekbench couldn't upload the result: " + detail);
    e.name_ = "Geekbench";
    e.detail_ = std::move(detail);
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::geekbenchScoreUnreadable(std::string url, bool isGPU) {
    ExternalBenchmarkError e(Kind::geekbenchScoreUnreadable, "Geekbench score unreadable at " + url);
    e.name_ = "Geekbench";
    e.url_ = std::move(url);
    e.isGPU_ = isGPU;
    return e;
}

ExternalBenchmarkError ExternalBenchmarkError::geekbenchLinkNotSaved(std::string url, bool isGPU, SaveResult notSaved) {
    ExternalBenchmarkError e(Kind::geekbenchLinkNotSaved, "Geekbench score unreadable at " + url +
                                                             ", and the link not saved: " + notSaved.reason);
    e.name_ = "Geekbench";
    e.url_ = std::move(url);
    e.isGPU_ = isGPU;
    e.notSaved_ = std::move(notSaved);
    return e;
}

} // namespace zantiva
