#include "Probes/ThermalMonitor.h"

#include <algorithm>

namespace zantiva {

namespace {

constexpr std::int64_t criticalMargin = 5000;
constexpr std::int64_t fairMargin = 10000;

std::vector<ThermalZoneReading::Trip> readTrips(const ProbeRoot& root, const std::string& zone) {
    std::vector<ThermalZoneReading::Trip> trips;
    for (int i = 0;; ++i) {
        const std::string trip = zone + "trip_point_" + std::to_string(i);
        auto type = root.text(trip + "_type");
        if (!type) break;
        if (auto t = root.integer(trip + "_temp")) trips.push_back({*type, *t});
    }
    return trips;
}

// Fan ("active") trips and switched-off ones never change the state.
bool raisesTheState(const ThermalZoneReading::Trip& trip) {
    return trip.temperature > 0 && (trip.type == "hot" || trip.type == "critical" || trip.type == "passive");
}

} // namespace

ThermalState ThermalZoneReading::state() const {
    std::optional<std::int64_t> lowestLimit;
    ThermalState state = ThermalState::nominal;
    for (const auto& trip : trips) {
        if (!raisesTheState(trip)) continue;
        const bool hot = trip.type == "hot", critical = trip.type == "critical", passive = trip.type == "passive";
        lowestLimit = std::min(lowestLimit.value_or(trip.temperature), trip.temperature);
        if ((hot && temperature >= trip.temperature) || (critical && temperature >= trip.temperature - criticalMargin))
            state = std::max(state, ThermalState::critical);
        else if (passive && temperature >= trip.temperature)
            state = std::max(state, ThermalState::serious);
    }
    if (state == ThermalState::nominal && lowestLimit && temperature >= *lowestLimit - fairMargin) return ThermalState::fair;
    return state;
}

ThermalMonitor::ThermalMonitor(ProbeRoot root) : root_(std::move(root)) { discover(); }

void ThermalMonitor::discover() {
    const std::string base = "/sys/devices/system/cpu/";
    const auto names = root_.listing("/sys/class/thermal");
    const auto cpus = root_.listing(base);
    if (names.failed() || cpus.failed()) return;
    for (const auto& name : names.items) {
        if (name.rfind("thermal_zone", 0) != 0) continue;
        const std::string zone = "/sys/class/thermal/" + name + "/";
        auto trips = readTrips(root_, zone);
        if (std::any_of(trips.begin(), trips.end(), raisesTheState)) zones_.push_back({zone + "temp", std::move(trips)});
    }
    for (const auto& cpu : cpus.items) {
        if (!numberAfter(cpu, "cpu")) continue;
        for (const char* counter : {"core_throttle_count", "package_throttle_count"})
            if (const std::string file = base + cpu + "/thermal_throttle/" + counter; root_.exists(file))
                counters_.push_back(file);
    }
    previousThrottleEvents_ = throttleEvents();
    discovered_ = true;
}

std::optional<std::uint64_t> ThermalMonitor::throttleEvents() const {
    std::optional<std::uint64_t> total;
    for (const auto& counter : counters_)
        if (auto n = root_.integer(counter); n && *n >= 0) total = total.value_or(0) + static_cast<std::uint64_t>(*n);
    return total;
}

std::optional<ThermalState> ThermalMonitor::read() {
    if (!discovered_) discover();
    if (!discovered_) return std::nullopt;
    std::optional<ThermalState> state;
    const auto raise = [&state](ThermalState to) { state = std::max(state.value_or(ThermalState::nominal), to); };
    for (const auto& zone : zones_)
        if (auto temperature = root_.integer(zone.temperature)) raise(ThermalZoneReading{*temperature, zone.trips}.state());
    const auto events = throttleEvents();
    if (events) raise(previousThrottleEvents_ && *events > *previousThrottleEvents_ ? ThermalState::serious
                                                                                     : ThermalState::nominal);
    previousThrottleEvents_ = events;
    return state;
}

} // namespace zantiva
