#include "Model/DeviceProfile.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "Localization/CompositeFormat.h"
#include "Localization/UnicodeText.h"
#include "Model/RecordFields.h"
#include "Model/SpecText.h"

namespace zantiva {
namespace {

using specText::isKnown;
using specText::trimmed;

constexpr std::size_t maximumLength = 120;

constexpr auto fields = std::tuple{
    json::field("name", &DeviceProfile::name),
    json::field("cpu", &DeviceProfile::cpu),
    json::field("gpu", &DeviceProfile::gpu),
    json::field("ram", &DeviceProfile::ram),
    json::field("storage", &DeviceProfile::storage),
    json::field("motherboard", &DeviceProfile::motherboard),
    json::field("display", &DeviceProfile::display),
    json::field("os", &DeviceProfile::os),
};

// Every field's last step: unknown texts dropped, white space runs made single blanks,
// long texts cut to 120 characters with an ellipsis.
std::optional<std::string> clean(const std::optional<std::string>& text) {
    if (!text || !isKnown(*text)) return std::nullopt;
    std::string joined;
    for (const auto word : specText::words(*text)) {
        if (!joined.empty()) joined += ' ';
        joined += word;
    }
    const auto characters = unicode::characters(joined);
    if (characters.size() <= maximumLength) return joined;
    const auto& last = characters[maximumLength - 2];
    const auto head = std::string_view(joined).substr(0, last.data() + last.size() - joined.data());
    return std::string(unicode::trimBlanks(head)) + "\u2026";
}

// "Maker Model", or the model alone when it already begins with the maker.
std::optional<std::string> joinMakerAndModel(std::string_view maker, std::string_view model) {
    const bool makerKnown = isKnown(maker), modelKnown = isKnown(model);
    const auto m = trimmed(maker), n = trimmed(model);
    if (makerKnown && modelKnown) {
        if (specText::startsWithIgnoringCase(n, m)) return std::string(n);
        return std::string(m) + " " + std::string(n);
    }
    if (makerKnown) return std::string(m);
    if (modelKnown) return std::string(n);
    return std::nullopt;
}

// Whole gigabytes when within 0.05 of the whole part, else one decimal.
std::string gigabytes(double amount) {
    const bool whole = std::fabs(amount - std::trunc(amount)) < 0.05;
    return CompositeFormat::format(whole ? "{0:0}" : "{0:0.0}", {amount}) + " GB";
}

std::optional<std::string> describeCPU(const SystemSpecs& specs) {
    std::string text = specs.cpuName;
    if (isKnown(specs.cpuName) && specs.cpuCores >= 1) {
        const auto cores = std::to_string(specs.cpuCores);
        if (const auto shorthand = specs.clusterShorthand())
            text += " (" + cores + "C: " + *shorthand + ")";
        else
            text += " (" + cores + "C/" + std::to_string(specs.cpuThreads) + "T)";
    }
    return text;
}

std::optional<std::string> describeGPU(const SystemSpecs& specs) {
    std::string text = specs.gpuName;
    if (isKnown(specs.gpuName)) {
        if (specs.gpuCoreCount >= 1) text += " \u00b7 " + std::to_string(specs.gpuCoreCount) + "-core";
        if (specs.gpuMemoryGB > 0) text += " \u00b7 " + gigabytes(specs.gpuMemoryGB);
    }
    return text;
}

std::optional<std::string> describeRAM(const SystemSpecs& specs) {
    if (!(specs.ramCapacityGB > 0)) return std::nullopt;
    std::string text = gigabytes(specs.ramCapacityGB);
    if (isKnown(specs.ramType))
        text += " " + std::string(trimmed(specs.ramType));
    else if (specs.hasUnifiedMemory)
        text += " unified";
    if (specs.ramSpeedMHz > 0) text += " " + std::to_string(specs.ramSpeedMHz) + " MHz";
    if (specs.ramModuleCount > 1) text += " (" + std::to_string(specs.ramModuleCount) + " modules)";
    return text;
}

std::optional<std::string> describeStorage(const SystemSpecs& specs) {
    std::vector<StorageDeviceInfo> drives;
    std::copy_if(specs.storageDevices.begin(), specs.storageDevices.end(), std::back_inserter(drives),
                 [](const StorageDeviceInfo& d) { return d.isInternal && d.capacityGB > 0; });
    if (drives.empty()) return std::nullopt;
    std::stable_sort(drives.begin(), drives.end(),
                     [](const auto& x, const auto& y) { return x.capacityGB > y.capacityGB; });
    std::string text;
    for (const auto& d : drives) {
        if (!text.empty()) text += " + ";
        text += std::to_string(std::llround(d.capacityGB)) + " GB";
        const auto media = trimmed(d.mediaType);
        if (isKnown(d.mediaType) && media != "Unspecified") text += " " + std::string(media);
    }
    return text;
}

std::optional<std::string> describeDisplay(const SystemSpecs& specs) {
    if (specs.displayRefreshRateHz >= 1 && isKnown(specs.displayResolution))
        return specs.displayResolution + " @ " + std::to_string(specs.displayRefreshRateHz) + " Hz";
    return specs.displayResolution;
}

} // namespace

DeviceProfile::DeviceProfile(const SystemSpecs& specs)
    : name(clean(joinMakerAndModel(specs.manufacturer, specs.model))),
      cpu(clean(describeCPU(specs))),
      gpu(clean(describeGPU(specs))),
      ram(clean(describeRAM(specs))),
      storage(clean(describeStorage(specs))),
      motherboard(clean(joinMakerAndModel(specs.motherboardManufacturer, specs.motherboardModel))),
      display(clean(describeDisplay(specs))),
      os(clean(specs.operatingSystem)) {}

bool DeviceProfile::hasAnything() const {
    return name || cpu || gpu || ram || storage || motherboard || display || os;
}

json::Json DeviceProfile::toJson() const { return json::encodeFields(*this, fields); }

DeviceProfile DeviceProfile::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
