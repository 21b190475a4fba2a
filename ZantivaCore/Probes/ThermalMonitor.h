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
// The zones' trip points and the counters' places are found once, at creation: a reading
// opens only the zones' temperatures and the counters. When their folders couldn't be
// listed, each reading looks for them again and, until that succeeds, measures nothing: a
// zone it couldn't find may be the hot one.
class ThermalMonitor {
public:
    explicit ThermalMonitor(ProbeRoot root);

    // Absent when no zone gave a temperature and no counter could be read, or the zones and
    // counters couldn't be looked for: nothing was measured, which is not the same as nominal.
    std::optional<ThermalState> read();

private:
    struct Zone {
        std::string temperature;   // the zone's temp file
        std::vector<ThermalZoneReading::Trip> trips;
    };

    // Finds the zones and counters; leaves discovered_ unset when a folder couldn't be listed.
    void discover();
    std::optional<std::uint64_t> throttleEvents() const;

    ProbeRoot root_;
    std::vector<Zone> zones_;              // only zones with a trip that can raise the state
    std::vector<std::string> counters_;
    std::optional<std::uint64_t> previousThrottleEvents_;
    bool discovered_ = false;
};

} // namespace zantiva
