#include "Model/SessionDeviceInfo.h"

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

} // namespace

SessionDeviceInfo SessionDeviceInfo::of(const SystemSpecs& specs) {
    return {specs.manufacturer, specs.model, specs.cpuName, specs.gpuName, specs.ramCapacityGB};
}

DeviceMatch SessionDeviceInfo::match(const SystemSpecs& specs) const {
    const std::pair<const std::string&, const std::string&> names[] = {{model, specs.model}, {cpu, specs.cpuName}};
    bool anyTold = false;
    bool differ = false;
    // Every pair is looked at before a difference counts: a failed probe on either name
    // must not have the session's file deleted as another machine's.
    for (const auto& [stored, current] : names) {
        const bool told = specText::isKnown(stored);
        if (told != specText::isKnown(current)) return DeviceMatch::undetermined;
        if (!told) continue;
        anyTold = true;
        differ = differ || !sameName(stored, current);
    }
    if (!anyTold) return DeviceMatch::undetermined;
    return differ ? DeviceMatch::other : DeviceMatch::same;
}

json::Json SessionDeviceInfo::toJson() const { return json::encodeFields(*this, fields); }

SessionDeviceInfo SessionDeviceInfo::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
