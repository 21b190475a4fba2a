#pragma once

#include <string>

#include "Model/JsonCodec.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// Whether a stored session was made on this machine.
enum class DeviceMatch {
    same,         // model and CPU name match
    other,        // both machines are known and differ
    undetermined, // a model or CPU name reads "Unknown" or blank (a failed probe): can't tell
};

// The part of the specs a session keeps to recognise its machine.
struct SessionDeviceInfo {
    std::string manufacturer;
    std::string model;
    std::string cpu;
    std::string gpu;
    double ramGB = 0;

    static SessionDeviceInfo of(const SystemSpecs& specs);

    // Model against model and CPU against CPU name, each trimmed of blanks and tabs (not
    // line breaks) and ignoring letter case; maker, GPU and memory don't count. When either
    // side's model or CPU name is unknown the answer is `undetermined`, so that a failed
    // probe never passes a session off as another machine's.
    DeviceMatch match(const SystemSpecs& specs) const;
    bool matches(const SystemSpecs& specs) const { return match(specs) == DeviceMatch::same; }

    json::Json toJson() const;
    static SessionDeviceInfo fromJson(const json::Json& j);

    bool operator==(const SessionDeviceInfo&) const = default;
};

} // namespace zantiva
