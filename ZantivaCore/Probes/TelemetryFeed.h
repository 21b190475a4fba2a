#pragma once

#include "Model/SensorSnapshot.h"
#include "Model/TelemetryHistory.h"

namespace zantiva {

// What live telemetry shows: the latest snapshot and the CPU, RAM and GPU load
// histories of the last 90 samples. The app's observable front publishes through it
// on the main thread and tells its observers what changed.
class TelemetryFeed {
public:
    static constexpr int historyCapacity = 90;

    const SensorSnapshot& latest() const { return latest_; }
    const TelemetryHistory& cpuHistory() const { return cpu_; }
    const TelemetryHistory& ramHistory() const { return ram_; }
    const TelemetryHistory& gpuHistory() const { return gpu_; }

    // Takes a snapshot in; every history grows by one (no GPU load counts as 0). Returns
    // whether `latest` changed, which an equal snapshot does not.
    bool publish(const SensorSnapshot& snapshot);

private:
    SensorSnapshot latest_;
    TelemetryHistory cpu_{historyCapacity};
    TelemetryHistory ram_{historyCapacity};
    TelemetryHistory gpu_{historyCapacity};
};

} // namespace zantiva
