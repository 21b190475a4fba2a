#include "Probes/InternalDrives.h"

#include <utility>

#include "Probes/BlockDevices.h"
#include "Probes/PlaceholderText.h"

namespace zantiva {

namespace {

// SSD or HDD, when the interconnect makes the kernel's word worth taking.
std::string mediumOf(const std::string& bus, std::optional<std::int64_t> rotational) {
    if (!rotational || bus.empty() || isVirtualInterconnect(bus)) return "";
    return *rotational == 0 ? "SSD" : "HDD";
}

} // namespace

std::string nvmeControllerOf(const std::string& name, const std::filesystem::path& devicePath) {
    const std::string parent = devicePath.parent_path().filename().string();
    if (numberAfter(parent, "nvme")) return parent;
    const auto split = name.find('n', 4);
    return name.substr(0, split);
}

Listed<InternalDrive> readInternalDrives(const ProbeRoot& root) {
    const auto blocks = root.listing("/sys/block");
    Listed<InternalDrive> drives{.items = {}, .error = blocks.error};
    for (const auto& name : blocks.items) {
        const std::string block = "/sys/block/" + name;
        const auto devicePath = root.resolved(block);
        const std::string path = devicePath.string();
        if (!isPhysicalDrive(name, path)) continue;
        const std::string bus = driveInterconnect(name, path);
        if (bus == "USB" || root.integer(block + "/removable").value_or(0) == 1) continue;

        InternalDrive drive;
        drive.info.id = name;
        drive.info.busType = bus;
        if (name.rfind("nvme", 0) == 0) {
            drive.nvmeController = nvmeControllerOf(name, devicePath);
            drive.info.model = knownHardwareText(root.text("/sys/class/nvme/" + *drive.nvmeController + "/model")).value_or("");
        } else {
            drive.info.model = driveModel(root, block, bus).value_or("");
        }
        drive.info.mediaType = mediumOf(bus, root.integer(block + "/queue/rotational"));
        // The kernel counts 512-byte sectors whatever the drive's own block size.
        drive.info.sizeGB = static_cast<double>(root.integer(block + "/size").value_or(0)) * 512.0 / 1e9;
        drives.items.push_back(std::move(drive));
    }
    return drives;
}

} // namespace zantiva
