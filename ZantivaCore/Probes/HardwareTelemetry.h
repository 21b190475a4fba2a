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
    // Looks the sensors up unless a look already succeeded.
    void lookUpSensors();

    const ProbeRoot root_;
    mutable std::mutex lock_;
    std::vector<CPUTicks> previousTicks_;
    // Absent until a look-up succeeds; empty when it found nothing to poll, or none are wanted.
    std::optional<HwmonSensorMap> sensors_;
    std::optional<std::vector<std::string>> gpus_;   // absent until the GPUs could be listed
    SystemPower power_;
    ThermalMonitor thermal_;
};

} // namespace zantiva
