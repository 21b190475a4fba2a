#pragma once

#include <stdexcept>
#include <string>

#include "Model/ExternalBenchmarkApp.h"

namespace zantiva {

// Why a chosen path is not the expected application. The texts are message arguments:
// `chosen` the chosen file's or folder's name, `found` the version found, `bundle` the
// folder without a command-line tool, `path` the file that can't run, `image` the disk
// image's file name.
class ExternalBenchmarkLocatorError : public std::runtime_error {
public:
    enum class Kind { notThisApp, wrongVersion, noCommandLineTool, notExecutable, notOnDiskImage };

    static ExternalBenchmarkLocatorError notThisApp(std::string chosen, ExternalBenchmarkApp expected);
    static ExternalBenchmarkLocatorError wrongVersion(std::string found, ExternalBenchmarkApp expected);
    static ExternalBenchmarkLocatorError noCommandLineTool(std::string bundle);
    static ExternalBenchmarkLocatorError notExecutable(std::string path);
    static ExternalBenchmarkLocatorError notOnDiskImage(std::string image, ExternalBenchmarkApp expected);

    Kind kind() const { return kind_; }
    // The one text of the case (chosen, found, bundle, path or image).
    const std::string& text() const { return text_; }
    ExternalBenchmarkApp expected() const { return expected_; }

    bool operator==(const ExternalBenchmarkLocatorError& other) const {
        return kind_ == other.kind_ && text_ == other.text_ && expected_ == other.expected_;
    }

private:
    ExternalBenchmarkLocatorError(Kind kind, std::string text, ExternalBenchmarkApp expected);

    Kind kind_;
    std::string text_;
    ExternalBenchmarkApp expected_;
};

} // namespace zantiva
