#include "Probes/HardwareTelemetry.h"

#include <algorithm>
#include <chrono>

#include "Probes/GPUUsage.h"
#include "Probes/MemoryUsage.h"

namespace zantiva {

namespace {
constexpr double bytesPerGB = 1024.0 * 1024.0 * 1024.0;
}

HardwareTelemetry::HardwareTelemetry(bool useSensors, ProbeRoot root)
    : root_(std::move(root)), previousTicks_(CPUTicks::read(root_)), gpus_(GPUUsage::devices(root_)), power_(root_),
      thermal_(root_) {
    if (!useSensors) sensors_.emplace(); // none wanted: as if none were found
    lookUpSensors();
}

void HardwareTelemetry::lookUpSensors() {
    if (!sensors_) sensors_ = HwmonSensorMap::discover(root_);
}

bool HardwareTelemetry::hasSensorAccess() const {
    std::lock_guard guard(lock_);
    return sensors_ && !sensors_->empty();
}

SensorSnapshot HardwareTelemetry::sample() {
    std::lock_guard guard(lock_);
    SensorSnapshot s;
    s.timestamp = std::chrono::system_clock::now();

    auto ticks = CPUTicks::read(root_);
    const CpuLoads loads = CPUTicks::loads(previousTicks_, ticks);
    s.cpuLoadPercent = loads.total;
    s.perCoreLoadPercent = loads.perCore;
    previousTicks_ = std::move(ticks);

    const MemoryUsage memory = MemoryUsage::read(root_);
    if (memory.totalBytes > 0)
        s.ramLoadPercent = std::min(100.0 * static_cast<double>(memory.usedBytes) / static_cast<double>(memory.totalBytes), 100.0);
    s.ramUsedGB = static_cast<double>(memory.usedBytes) / bytesPerGB;
    s.ramTotalGB = static_cast<double>(memory.totalBytes) / bytesPerGB;
    s.memoryPressure = memory.pressure;

    if (!gpus_) gpus_ = GPUUsage::devices(root_);
    if (gpus_) s.gpuLoadPercent = GPUUsage::read(root_, *gpus_);
    s.thermalState = thermal_.read();

    lookUpSensors();
    if (!sensors_ || sensors_->empty()) return s;
    s.hasSensorAccess = true;
    s.cpuTemperatureCelsius = HwmonSensorMap::hottest(root_, sensors_->cpu);
    s.gpuTemperatureCelsius = HwmonSensorMap::hottest(root_, sensors_->gpu);
    s.fanRPM = HwmonSensorMap::fanSpeeds(root_, sensors_->fans);
    s.systemPowerWatts = power_.read(root_);
    return s;
}

} // namespace zantiva
