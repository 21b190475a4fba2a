#include "CLI/DumpHardware.h"

#include <cmath>
#include <thread>
#include <vector>

#include "CLI/ResultLines.h"
#include "CLI/SmartMode.h"
#include "Model/DeviceProfile.h"
#include "Model/RawValues.h"
#include "Probes/BatteryReader.h"
#include "Probes/HardwareTelemetry.h"

namespace zantiva {

namespace {

constexpr std::string_view thermalStateNames[] = {"nominal", "fair", "serious", "critical"};

// A reading with the precision it carries: loads are ratios of tick counts and bytes, so their
// full digits ("1.1904761904761905") say nothing; a tenth of a percent, degree or watt does,
// and a hundredth of a GB.
double tenths(double value) { return std::round(value * 10) / 10; }
std::optional<double> tenths(const std::optional<double>& value) {
    return value ? std::optional(tenths(*value)) : std::nullopt;
}
double hundredths(double value) { return std::round(value * 100) / 100; }

// A snapshot has no stored form; these are its field names for the dump.
nlohmann::json snapshotFields(const SensorSnapshot& s) {
    std::vector<double> perCore;
    for (const double load : s.perCoreLoadPercent) perCore.push_back(tenths(load));
    json::Json j = json::Json::object();
    json::put(j, "cpuLoadPercent", tenths(s.cpuLoadPercent));
    json::put(j, "perCoreLoadPercent", perCore);
    json::put(j, "cpuTemperatureCelsius", tenths(s.cpuTemperatureCelsius));
    json::put(j, "gpuLoadPercent", tenths(s.gpuLoadPercent));
    json::put(j, "gpuTemperatureCelsius", tenths(s.gpuTemperatureCelsius));
    json::put(j, "systemPowerWatts", tenths(s.systemPowerWatts));
    json::put(j, "ramLoadPercent", tenths(s.ramLoadPercent));
    json::put(j, "ramUsedGB", hundredths(s.ramUsedGB));
    json::put(j, "ramTotalGB", hundredths(s.ramTotalGB));
    json::put(j, "memoryPressure", s.memoryPressure);
    json::put(j, "fanRPM", s.fanRPM);
    if (s.thermalState) json::put(j, "thermalState", std::string(thermalStateNames[rawValue(*s.thermalState)]));
    json::put(j, "hasSensorAccess", s.hasSensorAccess);
    json::put(j, "timestamp", s.timestamp);
    return j;
}

void heading(std::ostream& out, std::string_view name, bool first = false) {
    if (!first) out << '\n';
    out << "== " << name << " ==\n";
}

} // namespace

void printSensorSnapshotLines(std::ostream& out, const SensorSnapshot& sample) {
    printResultLines(out, snapshotFields(sample));
}

void dumpHardware(std::ostream& out, const HardwareDumpSources& sources, std::chrono::milliseconds loadWindow) {
    const ProbeOptions& options = sources.probe;
    // The sampler starts counting CPU ticks now, while the readers do their work.
    HardwareTelemetry telemetry(true, options.root);
    const auto started = std::chrono::steady_clock::now();
    const SystemSpecs specs = SystemProbe::readSpecs(options);
    const DriveHealthReport drives = DriveHealthReader::read(sources.drives);
    BatteryHealthResult battery = BatteryReader::read(options.root);
    BatteryReader::applyScoringRules(battery, BatteryReader::chargeLimit(options.root));
    std::this_thread::sleep_until(started + loadWindow);
    const SensorSnapshot sample = telemetry.sample();

    heading(out, "Specs", true);
    nlohmann::json specsFields = specs.toJson();
    // The record keeps 0 for a clock nobody reported; the dump prints no line for it.
    if (!(specs.cpuMaxClockGHz > 0)) specsFields.erase("cpuMaxClockGHz");
    printResultLines(out, specsFields);
    heading(out, "Device profile");
    printResultLines(out, DeviceProfile(specs).toJson());
    heading(out, "Drive health");
    printDriveHealthLines(out, drives, Loc(AppLanguage::english));
    heading(out, "Battery");
    printResultLines(out, battery.toJson());
    heading(out, "Telemetry");
    printSensorSnapshotLines(out, sample);
    out.flush();
}

} // namespace zantiva
