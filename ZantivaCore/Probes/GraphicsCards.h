#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Probes/ProbeRoot.h"

namespace zantiva {

// One DRM card ("card1") and what sysfs says of the device behind it.
struct GraphicsCard {
    std::string name;
    std::string driver;             // the kernel driver ("amdgpu", "i915"); empty when unknown
    std::string vendor;             // PCI vendor id in lower-case hex; empty for a device on no PCI bus
    std::string device;             // PCI device id, likewise
    std::int64_t dedicatedMemory = 0; // bytes of the card's own memory where the driver reports it, else 0
    bool bootVga = false;           // the card the firmware showed its screens on

    // Integrated GPUs draw from main memory; display-only adapters (virtual, server,
    // firmware framebuffers) hardly draw at all.
    enum class Kind { discrete, integrated, displayOnly };
    Kind kind() const;

    // The cards in the order heavy graphics work should use them: discrete GPUs, then
    // integrated ones, then display-only adapters (virtual, server, firmware framebuffers);
    // within each, the firmware's card first, then the one with more memory, then by number.
    static std::vector<GraphicsCard> preferred(const ProbeRoot& root);
};

// What EGL says of one of its devices.
struct EglDeviceFacts {
    std::string drmFile;   // its card or render node ("/dev/dri/renderD129"); empty when EGL names none
    bool software = false; // a software renderer
};

// The indices of EGL's devices in the order to try them: those on the preferred cards first,
// in the cards' order (a card's node or its render node alike); devices on no known card
// next, in EGL's order; software renderers last.
std::vector<std::size_t> preferredEglDevices(const ProbeRoot& root, const std::vector<EglDeviceFacts>& devices);

} // namespace zantiva
