#pragma once

#include <optional>
#include <string>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// The machine's identity from the firmware tables (/sys/class/dmi/id), placeholders
// already dropped. Virtual machines and many ARM boards have no such tables.
struct DmiIdentity {
    std::optional<std::string> manufacturer;     // sys_vendor
    std::optional<std::string> model;            // readable model name
    std::optional<std::string> modelIdentifier;  // product_name
    std::optional<std::string> boardManufacturer;
    std::optional<std::string> boardModel;
    std::optional<std::string> firmwareVersion;  // bios_version

    static DmiIdentity read(const ProbeRoot& root);
};

} // namespace zantiva
