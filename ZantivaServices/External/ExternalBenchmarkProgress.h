#pragma once

#include <optional>
#include <string>

namespace zantiva {

// What a running tool said about its progress: a fraction 0...1 when it reports one, a
// status text (one of its own lines), or that it runs without measurable progress.
struct ExternalBenchmarkProgress {
    std::optional<double> fraction;
    std::optional<std::string> status;
    bool isIndeterminate = false;

    bool operator==(const ExternalBenchmarkProgress&) const = default;
};

} // namespace zantiva
