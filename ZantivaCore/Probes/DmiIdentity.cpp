#include "Probes/DmiIdentity.h"

#include "Platform/AsciiText.h"
#include "Probes/PlaceholderText.h"

namespace zantiva {

DmiIdentity DmiIdentity::read(const ProbeRoot& root) {
    auto field = [&](const char* name) { return knownHardwareText(root.text(std::string("/sys/class/dmi/id/") + name)); };
    DmiIdentity id;
    id.manufacturer = field("sys_vendor");
    id.modelIdentifier = field("product_name");
    id.model = id.modelIdentifier;
    // Lenovo keeps the machine type in product_name and the name people know
    // ("ThinkPad X1 Carbon Gen 10") in product_version.
    if (ascii::lowered(id.manufacturer.value_or("")) == "lenovo") {
        if (auto named = field("product_version")) id.model = named;
    }
    id.boardManufacturer = field("board_vendor");
    id.boardModel = field("board_name");
    id.firmwareVersion = field("bios_version");
    return id;
}

} // namespace zantiva
