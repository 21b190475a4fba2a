#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Model/SensorSnapshot.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// One thermal zone's temperature against its trip points (millidegrees Celsius).
struct ThermalZoneReading {
    std::int64_t temperature = 0;
    struct Trip {
        std::string type;            // "critical", "hot", "passive", "active"
        std::int64_t temperature = 0;
    };
    std::vector<Trip> trips;

    // critical: at a "hot" trip or within 5 °C of a "critical" one; serious: at a
    // "passive" trip (the kernel throttles); fair: within 10 °C of the lowest of those;
    // nominal otherwise. Trips at or below 0 are switched off and do not count.
    ThermalState state() const;
};

// The system's thermal state, derived from the thermal zones and the CPUs' thermal
// throttle counters (docs/telemetry.md). The counters count events, so a reading that
// finds them grown since the previous one means the processor throttled in between.
class ThermalMonitor {
public:
    explicit ThermalMonitor(ProbeRoot root);

    ThermalState read();

private:
    std::optional<std::uint64_t> throttleEvents() const;

    ProbeRoot root_;
    std::optional<std::uint64_t> previousThrottleEvents_;
};

} // namespace zantiva
