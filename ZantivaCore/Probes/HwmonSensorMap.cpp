#include "Probes/HwmonSensorMap.h"

#include <algorithm>
#include <array>
#include <map>

namespace zantiva {

namespace {

struct ChipRule {
    std::string_view chip;
    std::string_view labelPrefix;   // "" matches every label, also a missing one
    ThermalSensorKind kind;
};

constexpr std::array<ChipRule, 12> chipRules{{
    {"coretemp", "Package id", ThermalSensorKind::cpu},
    {"coretemp", "Physical id", ThermalSensorKind::cpu},
    {"k10temp", "", ThermalSensorKind::cpu},   // Tdie, Tccd…, Tctl; no label before Zen and on older kernels
    {"zenpower", "Tdie", ThermalSensorKind::cpu},
    {"zenpower", "Tccd", ThermalSensorKind::cpu},
    {"cpu_thermal", "", ThermalSensorKind::cpu},
    {"thinkpad", "CPU", ThermalSensorKind::cpu},
    {"dell_smm", "CPU", ThermalSensorKind::cpu},
    {"amdgpu", "edge", ThermalSensorKind::gpu},
    {"amdgpu", "junction", ThermalSensorKind::gpu},
    {"nouveau", "", ThermalSensorKind::gpu},
    {"radeon", "", ThermalSensorKind::gpu},
}};

constexpr std::size_t maxSMCFans = 8;

struct Input {
    int index;
    std::string path;    // the *_input file
    std::string label;   // trimmed *_label, empty when there is none
};

// The hwmon folder that holds a chip's attributes: the class device itself, or its
// parent device for drivers (applesmc) that register attributes there.
std::optional<std::string> chipFolder(const ProbeRoot& root, const std::string& hwmon) {
    const std::string base = "/sys/class/hwmon/" + hwmon;
    if (root.exists(base + "/name")) return base;
    if (root.exists(base + "/device/name")) return base + "/device";
    return std::nullopt;
}

// Absent when the chip's folder couldn't be listed.
std::optional<std::vector<Input>> inputs(const ProbeRoot& root, const std::string& folder, const std::string& kind) {
    const auto names = root.listing(folder);
    if (names.failed()) return std::nullopt;
    std::vector<Input> found;
    for (const auto& name : names.items) {
        const std::string suffix = "_input";
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        auto index = numberAfter(name.substr(0, name.size() - suffix.size()), kind);
        if (!index) continue;
        const std::string stem = folder + "/" + kind + std::to_string(*index);
        found.push_back({*index, stem + "_input", root.text(stem + "_label").value_or("")});
    }
    std::sort(found.begin(), found.end(), [](const Input& a, const Input& b) { return a.index < b.index; });
    return found;
}

// A device in runtime suspend (a laptop's idle discrete GPU) measures nothing, and older
// drivers wake it to answer, which costs more battery than the reading is worth.
bool isAsleep(const ProbeRoot& root, const std::string& folder) {
    return root.text(folder + "/device/power/runtime_status") == "suspended"
           || root.text(folder + "/power/runtime_status") == "suspended";
}

std::string folderOf(const std::string& input) { return input.substr(0, input.rfind('/')); }

std::optional<double> celsius(const ProbeRoot& root, const std::string& input) {
    auto milli = root.integer(input);
    if (!milli) return std::nullopt;
    return static_cast<double>(*milli) / 1000.0;
}

// Calls read with each input whose device is awake; a chip's inputs come together, so its
// power state is asked once for all of them.
template <typename Read> void forEachAwake(const ProbeRoot& root, const std::vector<std::string>& inputs, Read read) {
    std::string folder;
    bool asleep = false;
    for (const auto& input : inputs) {
        if (std::string own = folderOf(input); own != folder) {
            folder = std::move(own);
            asleep = isAsleep(root, folder);
        }
        if (!asleep) read(input);
    }
}

void add(HwmonSensorMap& map, ThermalSensorKind kind, const std::string& path) {
    (kind == ThermalSensorKind::cpu ? map.cpu : map.gpu).push_back(path);
}

} // namespace

std::optional<ThermalSensorKind> classifyChipSensor(std::string_view chip, std::string_view label,
                                                    const std::vector<std::string>& otherLabels) {
    if (chip == "k10temp" && label == "Tctl"
        && std::find(otherLabels.begin(), otherLabels.end(), "Tdie") != otherLabels.end())
        return std::nullopt;
    for (const auto& rule : chipRules)
        if (rule.chip == chip && label.substr(0, rule.labelPrefix.size()) == rule.labelPrefix) return rule.kind;
    return std::nullopt;
}

std::optional<HwmonSensorMap> HwmonSensorMap::discover(const ProbeRoot& root) {
    const auto monitors = root.listing("/sys/class/hwmon");
    if (monitors.failed()) return std::nullopt;
    HwmonSensorMap map;
    for (const auto& hwmon : monitors.items) {
        auto folder = chipFolder(root, hwmon);
        if (!folder) continue;
        const std::string chip = root.text(*folder + "/name").value_or("");
        const bool smc = chip == "applesmc";
        const bool asleep = isAsleep(root, *folder);   // classified now, read once awake
        const auto temps = inputs(root, *folder, "temp");
        auto fans = inputs(root, *folder, "fan");
        if (!temps || !fans) return std::nullopt;
        std::vector<std::string> labels;
        for (const auto& t : *temps) labels.push_back(t.label);
        for (const auto& t : *temps) {
            std::optional<ThermalSensorKind> kind;
            if (smc) {
                if (auto key = SMCKey::fromText(t.label)) kind = classifySMCKey(key->description());
            } else {
                kind = classifyChipSensor(chip, t.label, labels);
            }
            if (!kind) continue;
            if (asleep) add(map, *kind, t.path);
            else if (auto value = celsius(root, t.path); value && isPlausibleTemperature(*value)) add(map, *kind, t.path);
        }
        // The controller's fan keys go up to F7; more are never polled.
        if (smc && fans->size() > maxSMCFans) fans->resize(maxSMCFans);
        for (const auto& f : *fans)
            if (asleep || root.integer(f.path)) map.fans.push_back(f.path);
    }
    return map;
}

std::optional<double> HwmonSensorMap::hottest(const ProbeRoot& root, const std::vector<std::string>& inputs) {
    std::optional<double> highest;
    forEachAwake(root, inputs, [&](const std::string& input) {
        if (auto value = celsius(root, input); value && isPlausibleTemperature(*value))
            highest = std::max(highest.value_or(*value), *value);
    });
    return highest;
}

std::vector<double> HwmonSensorMap::fanSpeeds(const ProbeRoot& root, const std::vector<std::string>& inputs) {
    std::vector<double> speeds;
    forEachAwake(root, inputs, [&](const std::string& input) {
        if (auto rpm = root.integer(input); rpm && *rpm >= 0 && *rpm < 20000) speeds.push_back(static_cast<double>(*rpm));
    });
    return speeds;
}

} // namespace zantiva
