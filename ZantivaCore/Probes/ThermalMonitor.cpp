#include "Probes/ThermalMonitor.h"

#include <algorithm>

namespace zantiva {

namespace {

constexpr std::int64_t criticalMargin = 5000;
constexpr std::int64_t fairMargin = 10000;

std::optional<ThermalZoneReading> readZone(const ProbeRoot& root, const std::string& zone) {
    const std::string base = "/sys/class/thermal/" + zone + "/";
    auto temperature = root.integer(base + "temp");
    if (!temperature) return std::nullopt;
    ThermalZoneReading reading{*temperature, {}};
    for (int i = 0;; ++i) {
        const std::string trip = base + "trip_point_" + std::to_string(i);
        auto type = root.text(trip + "_type");
        if (!type) break;
        if (auto t = root.integer(trip + "_temp")) reading.trips.push_back({*type, *t});
    }
    return reading;
}

} // namespace

ThermalState ThermalZoneReading::state() const {
    std::optional<std::int64_t> lowestLimit;
    ThermalState state = ThermalState::nominal;
    for (const auto& trip : trips) {
        if (trip.temperature <= 0) continue;
        const bool hot = trip.type == "hot", critical = trip.type == "critical", passive = trip.type == "passive";
        if (!hot && !critical && !passive) continue;
        lowestLimit = std::min(lowestLimit.value_or(trip.temperature), trip.temperature);
        if ((hot && temperature >= trip.temperature) || (critical && temperature >= trip.temperature - criticalMargin))
            state = std::max(state, ThermalState::critical);
        else if (passive && temperature >= trip.temperature)
            state = std::max(state, ThermalState::serious);
    }
    if (state == ThermalState::nominal && lowestLimit && temperature >= *lowestLimit - fairMargin) return ThermalState::fair;
    return state;
}

ThermalMonitor::ThermalMonitor(ProbeRoot root) : root_(std::move(root)), previousThrottleEvents_(throttleEvents()) {}

std::optional<std::uint64_t> ThermalMonitor::throttleEvents() const {
    std::optional<std::uint64_t> total;
    const std::string base = "/sys/devices/system/cpu/";
    for (const auto& cpu : root_.entries(base)) {
        if (!numberAfter(cpu, "cpu")) continue;
        for (const char* counter : {"core_throttle_count", "package_throttle_count"})
            if (auto n = root_.integer(base + cpu + "/thermal_throttle/" + counter); n && *n >= 0)
                total = total.value_or(0) + static_cast<std::uint64_t>(*n);
    }
    return total;
}

ThermalState ThermalMonitor::read() {
    ThermalState state = ThermalState::nominal;
    for (const auto& zone : root_.entries("/sys/class/thermal"))
        if (zone.rfind("thermal_zone", 0) == 0)
            if (auto reading = readZone(root_, zone)) state = std::max(state, reading->state());
    const auto events = throttleEvents();
    if (events && previousThrottleEvents_ && *events > *previousThrottleEvents_)
        state = std::max(state, ThermalState::serious);
    previousThrottleEvents_ = events;
    return state;
}

} // namespace zantiva
