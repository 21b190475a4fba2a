#pragma once

#include <QCoro/QCoroTask>
#include <QString>
#include <functional>
#include <optional>
#include <stop_token>

#include "External/ExternalBenchmarkResult.h"

namespace zantiva {

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
};

} // namespace zantiva
