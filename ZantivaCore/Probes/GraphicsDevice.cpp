#include "Probes/GraphicsDevice.h"

#include <array>
#include <sstream>
#include <utility>

#include "Model/SpecText.h"
#include "Probes/GraphicsCards.h"

namespace zantiva {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> vendorNames{{
    {"1002", "AMD"}, {"8086", "Intel"}, {"10de", "NVIDIA"}, {"1af4", "Virtio"}, {"1234", "QEMU"},
    {"15ad", "VMware"}, {"1a03", "ASPEED"}, {"5143", "Qualcomm"}, {"1414", "Microsoft"},
}};

// The device line of the PCI ID database ("\t73df  Navi 22 [Radeon RX 6700 …]").
std::optional<std::string> pciDeviceName(const ProbeRoot& root, const std::string& vendor, const std::string& device) {
    for (const char* path : {"/usr/share/hwdata/pci.ids", "/usr/share/misc/pci.ids"}) {
        auto text = root.bytes(path, 8 << 20);
        if (!text) continue;
        std::istringstream in(*text);
        bool inVendor = false;
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            if (line[0] != '\t') {
                if (inVendor) break;
                inVendor = line.rfind(vendor + "  ", 0) == 0;
            } else if (inVendor && line.size() > 1 && line[1] != '\t' && line.rfind("\t" + device + "  ", 0) == 0) {
                return std::string(specText::trimmed(line.substr(device.size() + 3)));
            }
        }
    }
    return std::nullopt;
}

std::string displayName(std::string_view vendor, const std::string& device) {
    // "Navi 22 [Radeon RX 6700 …]": the marketing name is the bracketed part.
    const auto open = device.find('['), close = device.rfind(']');
    const std::string part = open != std::string::npos && close > open ? device.substr(open + 1, close - open - 1) : device;
    return vendor.empty() ? part : std::string(vendor) + " " + part;
}

std::optional<GraphicsDevice> describe(const ProbeRoot& root, const GraphicsCard& card) {
    GraphicsDevice g;
    g.driver = card.driver;
    const std::string& vendor = card.vendor;
    const std::string& device = card.device;
    if (g.driver.empty() && vendor.empty()) return std::nullopt;
    std::string_view vendorName;
    for (const auto& [id, name] : vendorNames)
        if (id == vendor) vendorName = name;
    if (auto known = pciDeviceName(root, vendor, device)) g.name = displayName(vendorName, *known);
    else if (!vendorName.empty()) g.name = std::string(vendorName) + " graphics (" + (g.driver.empty() ? device : g.driver) + ")";
    g.unifiedMemory = card.kind() == GraphicsCard::Kind::integrated;
    if (!g.unifiedMemory) g.memoryGB = static_cast<double>(card.dedicatedMemory) / (1024.0 * 1024.0 * 1024.0);
    return g;
}

} // namespace

std::optional<GraphicsDevice> GraphicsDevice::read(const ProbeRoot& root) {
    for (const auto& card : GraphicsCard::preferred(root))
        if (auto g = describe(root, card)) return g;
    return std::nullopt;
}

} // namespace zantiva
