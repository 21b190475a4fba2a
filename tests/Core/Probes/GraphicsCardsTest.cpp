#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Probes/GraphicsCards.h"
#include "Probes/GraphicsDevice.h"
#include "FixtureMachines.h"

namespace zantiva {
namespace {

using Order = std::vector<std::size_t>;
const EglDeviceFacts software{"", true};

std::vector<std::string> names(const std::vector<GraphicsCard>& cards) {
    std::vector<std::string> out;
    for (const auto& card : cards) out.push_back(card.name);
    return out;
}

ProbeRoot machine(const std::string& name) { return ProbeRoot(testing::fixtureMachine(name)); }

// Laptops whose firmware boots on the Intel graphics; EGL lists that card first.
TEST(GraphicsChoice, TheDiscreteGpuComesBeforeTheIntegratedOneTheFirmwareBootedOn) {
    const ProbeRoot intelNvidia = machine("intel-mac");
    EXPECT_EQ(names(GraphicsCard::preferred(intelNvidia)), (std::vector<std::string>{"card1", "card0"}));
    EXPECT_EQ(preferredEglDevices(intelNvidia, {{"/dev/dri/card0"}, {"/dev/dri/card1"}, software}), (Order{1, 0, 2}));
    EXPECT_EQ(GraphicsDevice::read(intelNvidia)->driver, "nouveau") << "the specs name the same device";

    // Matched through the render nodes, as EGL names them where it gives no card node.
    const ProbeRoot intelAmd = machine("intel-amd-laptop");
    EXPECT_EQ(preferredEglDevices(intelAmd, {{"/dev/dri/renderD128"}, software, {"/dev/dri/renderD129"}}),
              (Order{2, 0, 1}));
    const auto specs = GraphicsDevice::read(intelAmd);
    ASSERT_TRUE(specs);
    EXPECT_EQ(specs->name, "AMD graphics (amdgpu)");
    EXPECT_DOUBLE_EQ(specs->memoryGB, 8573157376.0 / (1024.0 * 1024.0 * 1024.0));
}

TEST(GraphicsChoice, TheSoftwareRendererOnlyWhenNothingElseIsThere) {
    const ProbeRoot oneGpu = machine("amd-desktop");
    EXPECT_EQ(preferredEglDevices(oneGpu, {software, {"/dev/dri/card0"}}), (Order{1, 0}));
    // A node sysfs doesn't know still comes before the software renderer.
    EXPECT_EQ(preferredEglDevices(oneGpu, {{"/dev/dri/card7"}, software, {"/dev/dri/card0"}}), (Order{2, 0, 1}));

    const ProbeRoot noGpu = machine("virtual-machine");
    EXPECT_TRUE(GraphicsCard::preferred(noGpu).empty());
    EXPECT_EQ(preferredEglDevices(noGpu, {software}), (Order{0}));
    EXPECT_FALSE(GraphicsDevice::read(noGpu));
}

// An AMD APU reports its slice of main memory as VRAM: it is the integrated one beside an
// NVIDIA card that reports no memory at all. Two discrete cards: the firmware's first.
TEST(GraphicsChoice, AnApusCarveOutIsNotDedicatedMemory) {
    const testing::MachineCopy apu("intel-amd-laptop");
    const std::string igpu = "/sys/devices/pci0000:00/0000:00:02.0/", dgpu = "/sys/devices/pci0000:00/0000:00:01.1/0000:01:00.0/";
    apu.write(igpu + "uevent", "DRIVER=amdgpu\n");
    apu.write(igpu + "vendor", "0x1002\n");
    apu.write(igpu + "mem_info_vram_total", "536870912\n");
    apu.write(dgpu + "uevent", "DRIVER=nvidia\n");
    apu.write(dgpu + "vendor", "0x10de\n");
    apu.write(dgpu + "mem_info_vram_total", "");
    EXPECT_EQ(names(GraphicsCard::preferred(apu.root())), (std::vector<std::string>{"card1", "card0"}));

    apu.write(igpu + "mem_info_vram_total", "4294967296\n");
    EXPECT_EQ(names(GraphicsCard::preferred(apu.root())), (std::vector<std::string>{"card0", "card1"}));
}

// The specs call memory unified by the same rule that ranks the card integrated: an APU's
// carve-out is main memory, and a firmware framebuffer is no GPU sharing it.
TEST(GraphicsChoice, MemoryIsUnifiedExactlyForAnIntegratedGpu) {
    const testing::MachineCopy machine("intel-hybrid-laptop");
    const std::string gpu = "/sys/devices/pci0000:00/0000:00:02.0/";
    EXPECT_TRUE(GraphicsDevice::read(machine.root())->unifiedMemory) << "Intel graphics";

    machine.write(gpu + "uevent", "DRIVER=amdgpu\n");
    machine.write(gpu + "vendor", "0x1002\n");
    machine.write(gpu + "mem_info_vram_total", "536870912\n");
    auto apu = GraphicsDevice::read(machine.root());
    ASSERT_TRUE(apu);
    EXPECT_TRUE(apu->unifiedMemory);
    EXPECT_EQ(apu->memoryGB, 0);

    machine.write(gpu + "uevent", "DRIVER=simpledrm\n");
    machine.write(gpu + "vendor", "");
    machine.write(gpu + "mem_info_vram_total", "");
    EXPECT_FALSE(GraphicsDevice::read(machine.root())->unifiedMemory) << "firmware framebuffer";
}

} // namespace
} // namespace zantiva
