#include "Probes/LoadTrace.h"

#include <algorithm>
#include <cmath>

namespace zantiva {

namespace {

void advance(TelemetryHistory& history, const std::optional<double>& reading) {
    history.append(reading.value_or(history.latest().value_or(0.0)));
}

} // namespace

void LoadTrace::record(const SensorSnapshot& snapshot, Subject subject) {
    const bool cpu = subject == Subject::cpu;
    currentLoad = cpu ? std::optional(snapshot.cpuLoadPercent) : snapshot.gpuLoadPercent;
    currentTemperature = cpu ? snapshot.cpuTemperatureCelsius : snapshot.gpuTemperatureCelsius;
    currentPower = snapshot.systemPowerWatts;
    hasLoad = hasLoad || currentLoad.has_value();
    hasTemperature = hasTemperature || currentTemperature.has_value();
    hasPower = hasPower || currentPower.has_value();
    advance(load, currentLoad);
    advance(temperature, currentTemperature);
    advance(power, currentPower);
}

double LoadTrace::powerCeiling() const {
    const double highest = power.values().empty() ? 0.0 : *std::max_element(power.values().begin(), power.values().end());
    return std::max(std::ceil(highest / powerStep) * powerStep, powerStep);
}

} // namespace zantiva
