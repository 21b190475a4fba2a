#pragma once

#include <string>

#include "Model/JsonCodec.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// Whether a stored session was made on this machine.
enum class DeviceMatch {
    same,         // every name both machines tell matches
    other,        // a name both machines tell differs
    undetermined, // a name only one side tells (a failed probe), or no name at all: can't tell
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
    // line breaks) and ignoring letter case; maker, GPU and memory don't count.
    // A name counts as told unless it is blank or reads "Unknown". Many machines never
    // tell their model (virtual machines, boards without firmware tables): a name that
    // neither side tells is left out, so the same CPU name there is the same machine.
    // A name that only one side tells is `undetermined`, in either direction: a machine
    // reads the same sources at every start, so a name told once and not the other time
    // means one of the two probes failed, and what the failed one would have read can't
    // be known (the store then keeps the session and offers nothing). So is a pair of
    // machines that tell neither name.
    DeviceMatch match(const SystemSpecs& specs) const;
    bool matches(const SystemSpecs& specs) const { return match(specs) == DeviceMatch::same; }
    // Whether a name that both sides tell differs, whatever the other name tells: the file
    // is surely another machine's even where match() can't tell (a model read on one side
    // only, and CPU names that differ).
    bool namesDiffer(const SystemSpecs& specs) const;

    json::Json toJson() const;
    static SessionDeviceInfo fromJson(const json::Json& j);

    bool operator==(const SessionDeviceInfo&) const = default;
};

} // namespace zantiva
