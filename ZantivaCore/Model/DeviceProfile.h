#pragma once

#include <optional>
#include <string>

#include "Model/JsonCodec.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// A short, readable description of a machine in eight one-line texts, reported to the
// signed-in website (only when it changed) and printed by the hardware dump. A part that
// is unknown is left out rather than written as "Unknown".
struct DeviceProfile {
    std::optional<std::string> name;
    std::optional<std::string> cpu;
    std::optional<std::string> gpu;
    std::optional<std::string> ram;
    std::optional<std::string> storage;
    std::optional<std::string> motherboard;
    std::optional<std::string> display;
    std::optional<std::string> os;

    DeviceProfile() = default;
    explicit DeviceProfile(const SystemSpecs& specs);

    bool hasAnything() const;

    json::Json toJson() const;
    static DeviceProfile fromJson(const json::Json& j);

    bool operator==(const DeviceProfile&) const = default;
};

} // namespace zantiva
