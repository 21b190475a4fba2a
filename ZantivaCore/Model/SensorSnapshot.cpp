#include "Model/SensorSnapshot.h"

namespace zantiva {

std::optional<ThermalState> thermalStateFromRaw(std::int64_t raw) {
    if (raw < 0 || raw > 3) return std::nullopt;
    return static_cast<ThermalState>(raw);
}

std::string_view localizationKey(MemoryPressure pressure) {
    switch (pressure) {
    case MemoryPressure::normal: return "Telemetry.Pressure.Normal";
    case MemoryPressure::warning: return "Telemetry.Pressure.Warning";
    case MemoryPressure::critical: return "Telemetry.Pressure.Critical";
    }
    return {};
}

std::string_view localizationKey(ThermalState state) {
    switch (state) {
    case ThermalState::nominal: return "Telemetry.Thermal.Nominal";
    case ThermalState::fair: return "Telemetry.Thermal.Fair";
    case ThermalState::serious: return "Telemetry.Thermal.Serious";
    case ThermalState::critical: return "Telemetry.Thermal.Critical";
    }
    return {};
}

} // namespace zantiva
