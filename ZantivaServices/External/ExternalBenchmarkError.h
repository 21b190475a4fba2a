#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "Model/SaveResult.h"

namespace zantiva {

// Why an outside tool's run gave no usable score. `name` is the application's display
// name; `output` the tail of what the tool printed, for the user to see.
class ExternalBenchmarkError : public std::runtime_error {
public:
    enum class Kind { couldNotLaunch, exited, noScore, unsupportedSystem, geekbenchUploadFailed, geekbenchScoreUnreadable,
                      geekbenchLinkNotSaved };

    static ExternalBenchmarkError couldNotLaunch(std::string name, std::string reason);
    static ExternalBenchmarkError exited(std::string name, std::int32_t code, std::string output);
    static ExternalBenchmarkError noScore(std::string name, std::string output);
    static ExternalBenchmarkError unsupportedSystem(std::string name);
    static ExternalBenchmarkError geekbenchUploadFailed(std::string detail);
    static ExternalBenchmarkError geekbenchScoreUnreadable(std::string url, bool isGPU);
    // The page could not be read and its link could not be kept for later either.
    static ExternalBenchmarkError geekbenchLinkNotSaved(std::string url, bool isGPU, SaveResult notSaved);

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    const std::string& reason() const { return reason_; }     // couldNotLaunch
    std::int32_t code() const { return code_; }               // exited
    const std::string& output() const { return output_; }     // exited, noScore
    const std::string& detail() const { return detail_; }     // geekbenchUploadFailed
    const std::string& url() const { return url_; }           // geekbenchScoreUnreadable, …LinkNotSaved
    bool isGPU() const { return isGPU_; }                     // geekbenchScoreUnreadable, …LinkNotSaved
    const SaveResult& notSaved() const { return notSaved_; }  // geekbenchLinkNotSaved

private:
    ExternalBenchmarkError(Kind kind, std::string what);

    Kind kind_;
    std::string name_, reason_, output_, detail_, url_;
    std::int32_t code_ = 0;
    bool isGPU_ = false;
    SaveResult notSaved_;
};

} // namespace zantiva
