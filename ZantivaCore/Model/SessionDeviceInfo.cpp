#include "Model/SessionDeviceInfo.h"

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
    for (const auto* name : {&model, &cpu, &specs.model, &specs.cpuName})
        if (!specText::isKnown(*name)) return DeviceMatch::undetermined;
    return sameName(model, specs.model) && sameName(cpu, specs.cpuName) ? DeviceMatch::same : DeviceMatch::other;
}

json::Json SessionDeviceInfo::toJson() const { return json::encodeFields(*this, fields); }

SessionDeviceInfo SessionDeviceInfo::fromJson(const json::Json& j) { return json::decodeFields(j, fields); }

} // namespace zantiva
