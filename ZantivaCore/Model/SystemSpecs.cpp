#include "Model/SystemSpecs.h"

#include <tuple>

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "Localization/UnicodeText.h"
#include "Model/RecordFields.h"

namespace zantiva {

namespace {

constexpr auto clusterFields = std::tuple{
    json::field("name", &CoreCluster::name),
    json::field("cores", &CoreCluster::cores),
};

constexpr auto storageFields = std::tuple{
    json::field("model", &StorageDeviceInfo::model),
    json::field("capacityGB", &StorageDeviceInfo::capacityGB),
    json::field("mediaType", &StorageDeviceInfo::mediaType),
    json::field("interfaceType", &StorageDeviceInfo::interfaceType),
    json::field("isInternal", &StorageDeviceInfo::isInternal),
};

constexpr auto specsFields = std::tuple{
    json::field("manufacturer", &SystemSpecs::manufacturer),
    json::field("model", &SystemSpecs::model),
    json::field("modelIdentifier", &SystemSpecs::modelIdentifier),
    json::field("operatingSystem", &SystemSpecs::operatingSystem),
    json::field("architecture", &SystemSpecs::architecture),
    json::field("cpuName", &SystemSpecs::cpuName),
    json::field("cpuCores", &SystemSpecs::cpuCores),
    json::field("cpuThreads", &SystemSpecs::cpuThreads),
    json::field("coreClusters", &SystemSpecs::coreClusters),
    json::field("cpuMaxClockGHz", &SystemSpecs::cpuMaxClockGHz),
    json::field("ramCapacityGB", &SystemSpecs::ramCapacityGB),
    json::field("ramSpeedMHz", &SystemSpecs::ramSpeedMHz),
    json::field("ramType", &SystemSpecs::ramType),
    json::field("ramModuleCount", &SystemSpecs::ramModuleCount),
    json::field("gpuName", &SystemSpecs::gpuName),
    json::field("gpuCoreCount", &SystemSpecs::gpuCoreCount),
    json::field("gpuMemoryGB", &SystemSpecs::gpuMemoryGB),
    json::field("hasUnifiedMemory", &SystemSpecs::hasUnifiedMemory),
    json::field("metalVersion", &SystemSpecs::metalVersion),
    json::field("storageDevices", &SystemSpecs::storageDevices),
    json::field("motherboardManufacturer", &SystemSpecs::motherboardManufacturer),
    json::field("motherboardModel", &SystemSpecs::motherboardModel),
    json::field("displayResolution", &SystemSpecs::displayResolution),
    json::field("displayRefreshRateHz", &SystemSpecs::displayRefreshRateHz),
    json::field("firmwareVersion", &SystemSpecs::firmwareVersion),
};

// The first user-perceived character of a name, upper-cased by Unicode's own mapping
// (not the user's locale); empty for an empty name.
std::string firstCharacterUpper(const std::string& name) {
    const auto characters = unicode::characters(name);
    if (characters.empty()) return {};
    const auto first = characters.front();
    std::string out;
    icu::UnicodeString::fromUTF8(icu::StringPiece(first.data(), static_cast<int32_t>(first.size())))
        .toUpper(icu::Locale::getRoot())
        .toUTF8String(out);
    return out;
}

} // namespace

std::optional<std::string> SystemSpecs::clusterSummary() const {
    if (coreClusters.empty()) return std::nullopt;
    std::string out;
    for (const auto& cluster : coreClusters) {
        if (!out.empty()) out += " + ";
        out += std::to_string(cluster.cores) + " " + cluster.name;
    }
    return out;
}

std::optional<std::string> SystemSpecs::clusterShorthand() const {
    if (coreClusters.empty()) return std::nullopt;
    std::string out;
    for (const auto& cluster : coreClusters) {
        if (!out.empty()) out += "+";
        out += std::to_string(cluster.cores) + firstCharacterUpper(cluster.name);
    }
    return out;
}

std::int64_t SystemSpecs::fastestClusterCores() const {
    return coreClusters.empty() ? cpuCores : coreClusters.front().cores;
}

json::Json CoreCluster::toJson() const { return json::encodeFields(*this, clusterFields); }
CoreCluster CoreCluster::fromJson(const json::Json& j) { return json::decodeFields(j, clusterFields); }

json::Json StorageDeviceInfo::toJson() const { return json::encodeFields(*this, storageFields); }
StorageDeviceInfo StorageDeviceInfo::fromJson(const json::Json& j) { return json::decodeFields(j, storageFields); }

json::Json SystemSpecs::toJson() const { return json::encodeFields(*this, specsFields); }
SystemSpecs SystemSpecs::fromJson(const json::Json& j) { return json::decodeFields(j, specsFields); }

} // namespace zantiva
