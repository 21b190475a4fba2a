#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "Probes/CPUTicks.h"
#include "Probes/HwmonSensorMap.h"
#include "Probes/ProbeRoot.h"
#include "Probes/SystemPower.h"
#include "Probes/TelemetrySampling.h"
#include "Probes/ThermalMonitor.h"

namespace zantiva {

// Snapshots of the running machine: CPU load since the previous sample (whoever took
// it), memory use and pressure, GPU utilisation, the thermal state, and with sensors the
// hottest CPU and GPU temperatures, fan speeds and system power. The hardware monitors,
// GPUs, batteries, thermal zones and what else can't change while the machine runs are
// looked up once, at creation; a sample opens only what it must read again. A look-up that
// failed (a folder that couldn't be listed) is made again at the next sample, as it found
// nothing about them; until then they give no reading. One lock serialises every sample.
class HardwareTelemetry final : public TelemetrySampling {
public:
    explicit HardwareTelemetry(bool useSensors = true, ProbeRoot root = ProbeRoot());

    bool hasSensorAccess() const;
    SensorSnapshot sample() override;

private:
    void discoverSensors();

    const ProbeRoot root_;
    bool sensorsUnknown_;   // sensors are wanted and their look-up hasn't yet succeeded
    mutable std::mutex lock_;
    std::vector<CPUTicks> previousTicks_;
    std::optional<HwmonSensorMap> sensors_;   // present when discovery found something to poll
    std::optional<std::vector<std::string>> gpus_;   // absent until the GPUs could be listed
    SystemPower power_;
    ThermalMonitor thermal_;
};

} // namespace zantiva
