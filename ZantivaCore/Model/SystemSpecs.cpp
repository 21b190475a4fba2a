#include "Model/SystemSpecs.h"

#include <clocale>
#include <cwctype>
#include <tuple>

#include <locale.h>

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

// Decodes one UTF-8 code point at text[pos], advancing pos; a malformed byte reads as
// itself so that nothing is lost.
char32_t nextCodePoint(const std::string& text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (length == 1 || pos + length > text.size()) {
        ++pos;
        return lead;
    }
    char32_t cp = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c >> 6) != 0x2) {
            ++pos;
            return lead;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += length;
    return cp;
}

// Marks that belong to the character before them: combining diacritics, variation
// selectors and the zero-width joiner (with the character it joins).
bool extendsCharacter(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) || (cp >= 0x1DC0 && cp <= 0x1DFF)
        || (cp >= 0x20D0 && cp <= 0x20FF) || (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFE20 && cp <= 0xFE2F)
        || cp == 0x200D;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Unicode's own case mapping, whatever the user's locale says.
char32_t upperCase(char32_t cp) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 'a' + 'A' : cp;
    if (unicode == nullptr) return cp;
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), unicode));
}

// The first user-perceived character of a text, upper-cased; empty for an empty text.
std::string firstCharacterUpper(const std::string& text) {
    std::string out;
    std::size_t pos = 0;
    if (text.empty()) return out;
    appendUtf8(out, upperCase(nextCodePoint(text, pos)));
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(text, pos);
        if (!extendsCharacter(cp)) break;
        out.append(text, start, pos - start);
        if (cp == 0x200D && pos < text.size()) {
            const std::size_t joined = pos;
            nextCodePoint(text, pos);
            out.append(text, joined, pos - joined);
        }
    }
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
