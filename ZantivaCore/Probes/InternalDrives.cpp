#include "Probes/InternalDrives.h"

#include <array>
#include <regex>
#include <string_view>
#include <utility>

#include "Probes/HardwareText.h"

namespace zantiva {

namespace {

// Block devices that are not a physical drive, by name. "nvme0c0n1" is one path to a
// shared namespace, which the drive itself ("nvme0n1") already stands for.
bool isVirtualName(const std::string& name) {
    static const std::regex notDrives(R"((loop|ram|zram|dm-|md|nbd|sr|fd)\d.*|nvme\d+c\d+n\d+|mmcblk\d+(boot|rpmb).*)");
    return std::regex_match(name, notDrives);
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The interconnect by where the kernel put the device, first match wins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 7> interconnects{{
    {"/nvme", "NVMe"},
    {"/virtio", "virtio"},
    {"/mmc_host/", "MMC"},
    {"/ata", "SATA"},
    {"/vmbus", "Hyper-V"},
    {"/vbd-", "Xen"},
    {"/host", "SCSI"},
}};

std::string interconnectOf(std::string_view devicePath) {
    for (const auto& [fragment, bus] : interconnects)
        if (contains(devicePath, fragment)) return std::string(bus);
    return "";
}

// Virtual disks report a rotating medium whatever holds their data.
std::string mediumOf(std::string_view bus, std::optional<std::int64_t> rotational) {
    if (!rotational || bus.empty() || bus == "virtio" || bus == "Hyper-V" || bus == "Xen") return "";
    return *rotational == 0 ? "SSD" : "HDD";
}

// The controller of an NVMe namespace: the folder it sits in ("…/nvme/nvme0/nvme0n1"), or,
// for a namespace shared through a subsystem, the number in its own name.
std::string controllerOf(const std::string& name, const std::filesystem::path& devicePath) {
    const std::string parent = devicePath.parent_path().filename().string();
    if (numberAfter(parent, "nvme")) return parent;
    const auto split = name.find('n', 4);
    return name.substr(0, split);
}

} // namespace

std::vector<InternalDrive> readInternalDrives(const ProbeRoot& root) {
    std::vector<InternalDrive> drives;
    for (const auto& name : root.entries("/sys/block")) {
        if (isVirtualName(name)) continue;
        const std::string block = "/sys/block/" + name;
        const auto devicePath = root.resolved(block);
        const std::string path = devicePath.string();
        const bool nvme = name.rfind("nvme", 0) == 0;
        if (contains(path, "/devices/virtual/") && !(nvme && contains(path, "/nvme-subsystem/"))) continue;
        if (contains(path, "/usb") || root.integer(block + "/removable").value_or(0) == 1) continue;

        InternalDrive drive;
        drive.info.id = name;
        drive.info.busType = interconnectOf(path);
        if (nvme) {
            drive.nvmeController = controllerOf(name, devicePath);
            drive.info.model = knownHardwareText(root.text("/sys/class/nvme/" + *drive.nvmeController + "/model")).value_or("");
        } else {
            drive.info.model = knownHardwareText(root.text(block + "/device/model")).value_or("");
        }
        drive.info.mediaType = mediumOf(drive.info.busType, root.integer(block + "/queue/rotational"));
        // The kernel counts 512-byte sectors whatever the drive's own block size.
        drive.info.sizeGB = static_cast<double>(root.integer(block + "/size").value_or(0)) * 512.0 / 1e9;
        drives.push_back(std::move(drive));
    }
    return drives;
}

} // namespace zantiva
