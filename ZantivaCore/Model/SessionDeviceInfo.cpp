#include "Model/SessionDeviceInfo.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "Localization/UnicodeText.h"
#include "Model/RecordFields.h"
#include "Model/SpecText.h"

namespace zantiva {
namespace {

constexpr auto fields = std::tuple{
    json::field("manufacturer", &SessionDeviceInfo::manufacturer),
    json::field("model", &SessionDeviceInfo::model),
    json::field("cpu", &SessionDeviceInfo::cpu),
    json::field("gpu", &SessionDeviceInfo::gpu),
    json::field("ram_gb", &SessionDeviceInfo::ramGB),
};

bool sameName(std::string_view stored, std::string_view current) {
    return specText::equalIgnoringCase(unicode::trimBlanks(stored), unicode::trimBlanks(current));
}

using NamePairs = std::array<std::pair<std::string_view, std::string_view>, 2>;

// The names that count, the stored one first: model against model, CPU against CPU name.
NamePairs namePairs(const SessionDeviceInfo& stored, const SystemSpecs& current) {
    return {{{stored.model, current.model}, {stored.cpu, current.cpuName}}};
}

} // namespace

SessionDeviceInfo SessionDeviceInfo::of(const SystemSpecs& specs) {
    return {specs.manufacturer, specs.model, specs.cpuName, specs.gpuName, specs.ramCapacityGB};
}

DeviceMatch SessionDeviceInfo::match(const SystemSpecs& specs) const {
    bool anyTold = false;
    bool differ = false;
    // Every pair is looked at before a difference counts: a failed probe on either name
    // must not have the session's file deleted as another machine's.
    for (const auto& [stored, current] : namePairs(*this, specs)) {
        const bool told = specText::isKnown(stored);
        if (told != specText::isKnown(current)) return DeviceMatch::undetermined;
        if (!told) continue;
        anyTold = true;
        differ = differ || !sameName(stored, current);
    }
    if (!anyTold) return DeviceMatch::undetermined;
    return differ ? DeviceMatch::other : DeviceMatch::same;
}

bool SessionDeviceInfo::namesDiffer(const SystemSpecs& specs) const {
    return std::ranges::any_of(namePairs(*this, specs), [](const auto& names) {
        return specText::isKnown(names.first) && specText::isKnown(names.second) && !sameName(names.first, names.second);
    });
}

json::Json SessionDeviceInfo::toJson() const { return json::encodeFields(*this, fields); }

SessionDeviceInfo SessionDeviceInfo::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
