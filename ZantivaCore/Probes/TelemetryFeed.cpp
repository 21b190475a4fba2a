#include "Probes/TelemetryFeed.h"

namespace zantiva {

bool TelemetryFeed::publish(const SensorSnapshot& snapshot) {
    const bool changed = !(snapshot == latest_);
    if (changed) latest_ = snapshot;
    cpu_.append(snapshot.cpuLoadPercent);
    ram_.append(snapshot.ramLoadPercent);
    gpu_.append(snapshot.gpuLoadPercent.value_or(0.0));
    return changed;
}

} // namespace zantiva
