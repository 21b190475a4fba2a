#pragma once

#include <QCoro/QCoroTask>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>

#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

// How long a result page is read. A round is the pause before each look at the page and also
// the longest one look may take; the quiet and the windowed reading each end after their limit.
struct GeekbenchPageTiming {
    std::chrono::milliseconds round{750};
    std::chrono::milliseconds quiet{15'000};
    std::chrono::milliseconds windowed{180'000};

    bool operator==(const GeekbenchPageTiming&) const = default;
};

// Reads the scores off an uploaded result page. The outside-benchmark runner holds its
// reader through this, so that tests can give it one without a web engine.
class GeekbenchScoreReading {
public:
    virtual ~GeekbenchScoreReading() = default;

    // Runs on the main thread. Absent when nothing could be read; throws CancellationError
    // once `stop` is requested. `onNeedsUser` is called just before a window asks a person to
    // pass the site's check, which only happens when `interactive` is true.
    virtual QCoro::Task<std::optional<ExternalBenchmarkResult>> read(QString address, bool isGPU, bool interactive,
                                                                    std::function<void()> onNeedsUser,
                                                                    std::stop_token stop) = 0;

    // Why the last read gave no scores when it was the reader's own failure rather than a
    // page without them (it couldn't start, open the display, or ended without an answer),
    // in English words for a failure line; none otherwise.
    virtual std::optional<std::string> lastFailure() const { return std::nullopt; }
};

} // namespace zantiva
