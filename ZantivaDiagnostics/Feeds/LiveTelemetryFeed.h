#pragma once

#include <functional>

#include "Model/SensorSnapshot.h"
#include "Model/TelemetryHistory.h"

class QObject;

namespace zantiva {

// The live sensor readings, for a screen that shows them as they come: the latest snapshot
// and the CPU and GPU load histories.
class LiveTelemetryFeed {
public:
    virtual const SensorSnapshot& latest() const = 0;
    virtual const TelemetryHistory& cpuHistory() const = 0;
    virtual const TelemetryHistory& gpuHistory() const = 0;
    // Calls changed after each new snapshot and each change of a history, for as long as
    // context lives.
    virtual void watchReadings(const QObject* context, std::function<void()> changed) const = 0;

protected:
    ~LiveTelemetryFeed() = default;
};

} // namespace zantiva
