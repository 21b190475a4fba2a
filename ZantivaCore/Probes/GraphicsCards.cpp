#include "Probes/GraphicsCards.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <tuple>

#include "Model/SpecText.h"
#include "Platform/AsciiText.h"

namespace zantiva {
namespace {

// An AMD APU reports the slice of main memory set aside for it as VRAM, 512 MiB or less
// by default; a discrete AMD card has at least this much of its own.
constexpr std::int64_t discreteAmdMemory = std::int64_t{1} << 30;

std::string hexId(const std::optional<std::string>& text) {
    std::string_view id = text ? std::string_view(*text) : std::string_view();
    if (id.starts_with("0x")) id.remove_prefix(2);
    return ascii::lowered(id);
}

std::string devicePath(const std::string& node) { return "/sys/class/drm/" + node + "/device"; }

GraphicsCard readCard(const ProbeRoot& root, const std::string& name) {
    const std::string dev = devicePath(name);
    GraphicsCard card{.name = name};
    std::istringstream uevent(root.bytes(dev + "/uevent").value_or(""));
    for (std::string line; std::getline(uevent, line);)
        if (line.rfind("DRIVER=", 0) == 0) card.driver = std::string(specText::trimmed(line.substr(7)));
    card.vendor = hexId(root.text(dev + "/vendor"));
    card.device = hexId(root.text(dev + "/device"));
    card.dedicatedMemory = std::max<std::int64_t>(0, root.integer(dev + "/mem_info_vram_total").value_or(0));
    card.bootVga = root.integer(dev + "/boot_vga") == 1;
    return card;
}

} // namespace

GraphicsCard::Kind GraphicsCard::kind() const {
    const std::string& d = driver;
    if (d == "nvidia" || d == "nouveau" || d == "radeon") return Kind::discrete;
    if (d == "amdgpu") return dedicatedMemory == 0 || dedicatedMemory >= discreteAmdMemory ? Kind::discrete
                                                                                            : Kind::integrated;
    if (d == "i915" || d == "xe") return Kind::integrated;
    // A system-on-chip GPU sits on no PCI bus; a firmware framebuffer neither, but draws nothing.
    if (vendor.empty() && !d.empty() && d != "simple-framebuffer" && d != "simpledrm") return Kind::integrated;
    return dedicatedMemory > 0 ? Kind::discrete : Kind::displayOnly;
}

std::vector<GraphicsCard> GraphicsCard::preferred(const ProbeRoot& root) {
    std::vector<GraphicsCard> cards;
    for (const auto& name : root.entries("/sys/class/drm"))
        if (numberAfter(name, "card")) cards.push_back(readCard(root, name));
    std::stable_sort(cards.begin(), cards.end(), [](const GraphicsCard& a, const GraphicsCard& b) {
        return std::tuple(a.kind(), !a.bootVga, -a.dedicatedMemory) <
               std::tuple(b.kind(), !b.bootVga, -b.dedicatedMemory);
    });
    return cards;
}

std::vector<std::size_t> preferredEglDevices(const ProbeRoot& root, const std::vector<EglDeviceFacts>& devices) {
    std::vector<std::filesystem::path> cards;
    for (const auto& card : GraphicsCard::preferred(root)) cards.push_back(root.resolved(devicePath(card.name)));
    // A device's rank: its card's place, cards.size() for a device on no known card, one more
    // for a software renderer.
    auto rank = [&](const EglDeviceFacts& facts) {
        if (facts.software) return cards.size() + 1;
        const std::string node = std::filesystem::path(facts.drmFile).filename();
        if (node.empty()) return cards.size();
        const auto card = std::find(cards.begin(), cards.end(), root.resolved(devicePath(node)));
        return static_cast<std::size_t>(card - cards.begin());
    };
    std::vector<std::size_t> order(devices.size()), ranks(devices.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        ranks[i] = rank(devices[i]);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return ranks[a] < ranks[b]; });
    return order;
}

} // namespace zantiva
