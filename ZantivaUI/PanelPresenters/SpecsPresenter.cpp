#include "PanelPresenters/SpecsPresenter.h"

#include <cmath>

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"

namespace zantiva::SpecsPresenter {

namespace {

SpecsDetail prose(std::string text) { return {SpecsDetail::Kind::prose, std::move(text)}; }
SpecsDetail hardware(std::string text) { return {SpecsDetail::Kind::hardware, std::move(text)}; }

SpecsDetail reading(const std::string& text, const Loc& loc) {
    return isReported(text) ? hardware(text) : prose(loc["Dashboard.NotReported"]);
}

// Adds the joined line only when any part is left.
void addJoined(std::vector<SpecsDetail>& lines, const std::vector<std::optional<std::string>>& parts,
               const std::string& separator) {
    const auto usable = known(parts);
    if (!usable.empty()) lines.push_back(hardware(joined(usable, separator)));
}

} // namespace

bool isReported(const std::string& text) { return !text.empty() && text != SystemSpecs::unknown; }

std::string readingText(const std::string& text, const Loc& loc) {
    return isReported(text) ? text : loc["Dashboard.NotReported"];
}

std::vector<std::string> known(const std::vector<std::optional<std::string>>& parts) {
    std::vector<std::string> usable;
    for (const auto& part : parts)
        if (part && isReported(*part)) usable.push_back(*part);
    return usable;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (const auto& part : parts) {
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

std::string gigabytes(double value) {
    const bool whole = std::abs(value - std::round(value)) < 0.05;
    return CompositeFormat::format(whole ? "{0:0} GB" : "{0:0.0} GB", {value});
}

std::string capacity(double gigabytes) {
    const double whole = std::round(gigabytes);
    if (!std::isfinite(whole) || std::abs(whole) > 1e15) return "\u2014";
    return std::to_string(static_cast<long long>(whole)) + " GB";
}

std::vector<SpecsDetail> cpuDetails(const SystemSpecs& specs, const Loc& loc) {
    // The cluster names are the system's English words: a Persian line reads the shorthand ("4P+8E").
    const auto clusters = loc.language() == AppLanguage::english ? specs.clusterSummary() : specs.clusterShorthand();
    if (clusters) return {prose(loc.f("Dashboard.CpuCores", specs.cpuCores)), hardware(*clusters)};
    // 0 is an unknown clock (no cpufreq, no "cpu MHz"): the line leaves it out rather than read "0.00 GHz".
    if (!(specs.cpuMaxClockGHz > 0)) return {prose(loc.f("Dashboard.CpuThreads", specs.cpuCores, specs.cpuThreads))};
    return {prose(loc.f("Dashboard.CpuDetail", specs.cpuCores, specs.cpuThreads, specs.cpuMaxClockGHz))};
}

std::vector<SpecsDetail> memoryDetails(const SystemSpecs& specs, const Loc& loc) {
    if (!specs.hasUnifiedMemory && specs.ramSpeedMHz >= 1 && specs.ramModuleCount >= 1)
        return {prose(loc.f("Dashboard.RamDetail", readingText(specs.ramType, loc), specs.ramSpeedMHz,
                            specs.ramModuleCount))};
    std::vector<SpecsDetail> lines;
    if (isReported(specs.ramType)) lines.push_back(hardware(specs.ramType));
    if (specs.hasUnifiedMemory) lines.push_back(prose(loc["Dashboard.UnifiedMemory"]));
    return lines;
}

std::vector<SpecsDetail> gpuDetails(const SystemSpecs& specs, const Loc& loc) {
    std::vector<SpecsDetail> lines;
    if (specs.gpuCoreCount >= 1) lines.push_back(prose(loc.f("Dashboard.GpuCores", specs.gpuCoreCount)));
    std::optional<std::string> memory;
    if (specs.gpuMemoryGB > 0) memory = gigabytes(specs.gpuMemoryGB);
    addJoined(lines, {memory, specs.metalVersion}, " \u00B7 ");
    std::optional<std::string> refresh;
    if (specs.displayRefreshRateHz >= 1) refresh = std::to_string(specs.displayRefreshRateHz) + " Hz";
    addJoined(lines, {specs.displayResolution, refresh}, " @ ");
    return lines;
}

std::vector<SpecsDetail> firmwareDetails(const SystemSpecs& specs) {
    std::vector<SpecsDetail> lines;
    addJoined(lines, {specs.manufacturer, specs.modelIdentifier, specs.architecture}, " \u00B7 ");
    return lines;
}

std::array<SpecsCard, 4> cards(const SystemSpecs& specs, const Loc& loc) {
    // A memory size the system did not read stays 0, which is not a size to show.
    const SpecsDetail memory = reading(specs.ramCapacityGB > 0 ? gigabytes(specs.ramCapacityGB) : "", loc);
    return {{
        {SpecsChart::cpu, loc["Dashboard.Processor"], reading(specs.cpuName, loc), cpuDetails(specs, loc)},
        {SpecsChart::memory, loc["Dashboard.Memory"], memory, memoryDetails(specs, loc)},
        {SpecsChart::gpu, loc["Dashboard.Graphics"], reading(specs.gpuName, loc), gpuDetails(specs, loc)},
        {std::nullopt, loc["Dashboard.Firmware"], reading(specs.firmwareVersion, loc), firmwareDetails(specs)},
    }};
}

std::vector<SpecsDrive> drives(const SystemSpecs& specs, const Loc& loc) {
    std::vector<SpecsDrive> rows;
    for (const auto& drive : specs.storageDevices) {
        std::optional<std::string> media;
        if (drive.mediaType != "Unspecified") media = drive.mediaType;
        const auto kind = known({media, drive.interfaceType});
        rows.push_back({reading(drive.model, loc), !drive.isInternal,
                        kind.empty() ? std::nullopt : std::optional(joined(kind, " \u00B7 ")),
                        capacity(drive.capacityGB)});
    }
    return rows;
}

SpecsChartTexts chartTexts(SpecsChart chart, const Loc& loc) {
    switch (chart) {
    case SpecsChart::cpu: return {loc["Dashboard.Activity"], loc["Dashboard.CpuHistoryTip"], loc["Dashboard.CpuHistory"]};
    case SpecsChart::memory:
        return {loc["Dashboard.Activity"], loc["Dashboard.RamHistoryTip"], loc["Dashboard.RamHistory"]};
    case SpecsChart::gpu: break;
    }
    return {loc["Dashboard.Activity"], loc["Dashboard.GpuHistoryTip"], loc["Dashboard.GpuHistory"]};
}

} // namespace zantiva::SpecsPresenter
