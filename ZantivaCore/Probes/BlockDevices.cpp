#include "Probes/BlockDevices.h"

#include <algorithm>
#include <array>
#include <regex>
#include <string>

#include "Probes/PlaceholderText.h"

namespace zantiva {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

struct Interconnect {
    std::string_view pathFragment;   // where the kernel put the device
    std::string_view namePrefix;     // what the kernel called it; empty: the name does not tell
    std::string_view name;
};

// First match wins, nearest bus first: a disk in a USB enclosure is USB, and a SATA disk,
// which also hangs off a SCSI host, is SATA.
constexpr std::array<Interconnect, 8> interconnects{{
    {"/nvme", "nvme", "NVMe"},
    {"/usb", "", "USB"},
    {"/virtio", "vd", "virtio"},
    {"/mmc_host/", "mmcblk", "MMC"},
    {"/ata", "", "SATA"},
    {"/vmbus", "", "Hyper-V"},
    {"/vbd-", "xvd", "Xen"},
    {"/host", "sd", "SCSI"},
}};

std::string mediaOf(const std::string& interface, std::optional<std::int64_t> rotational) {
    // USB bridges report "rotational" by default too.
    if (isVirtualInterconnect(interface) || !rotational) return "Unspecified";
    if (*rotational == 0) return "SSD";
    return interface == "USB" ? "Unspecified" : "HDD";
}

} // namespace

std::optional<std::string> driveModel(const ProbeRoot& root, const std::string& block, std::string_view interconnect) {
    auto model = knownHardwareText(root.text(block + "/device/model"));
    if (!model) return std::nullopt;
    // SATA disks behind libata all say "ATA"; a USB or SCSI maker adds to the name.
    auto vendor = knownHardwareText(root.text(block + "/device/vendor"));
    if (vendor && *vendor != "ATA" && interconnect != "NVMe" && model->rfind(*vendor, 0) != 0)
        return *vendor + " " + *model;
    return model;
}

bool isPhysicalDrive(const std::string& name, std::string_view devicePath) {
    static const std::regex notDrives(R"((loop|ram|zram|dm-|md|nbd|sr|fd)\d.*|nvme\d+c\d+n\d+|mmcblk\d+(boot|rpmb).*)");
    if (std::regex_match(name, notDrives)) return false;
    const bool sharedNamespace = name.rfind("nvme", 0) == 0 && contains(devicePath, "/nvme-subsystem/");
    return !contains(devicePath, "/devices/virtual/") || sharedNamespace;
}

std::string driveInterconnect(const std::string& name, std::string_view devicePath) {
    for (const auto& bus : interconnects)
        if (contains(devicePath, bus.pathFragment) || (!bus.namePrefix.empty() && name.rfind(bus.namePrefix, 0) == 0))
            return std::string(bus.name);
    return "";
}

bool isVirtualInterconnect(std::string_view interconnect) {
    return interconnect == "virtio" || interconnect == "Hyper-V" || interconnect == "Xen";
}

std::vector<StorageDeviceInfo> readBlockDevices(const ProbeRoot& root) {
    std::vector<StorageDeviceInfo> drives;
    for (const auto& name : root.entries("/sys/block")) {
        const std::string block = "/sys/block/" + name;
        const std::string devicePath = root.resolved(block).string();
        if (!isPhysicalDrive(name, devicePath)) continue;
        const auto sectors = root.integer(block + "/size").value_or(0);
        if (sectors <= 0) continue;
        StorageDeviceInfo drive;
        drive.interfaceType = driveInterconnect(name, devicePath);
        if (drive.interfaceType.empty()) drive.interfaceType = SystemSpecs::unknown;
        drive.model = driveModel(root, block, drive.interfaceType).value_or(SystemSpecs::unknown);
        drive.capacityGB = static_cast<double>(sectors) * 512.0 / 1e9;   // the kernel counts 512-byte sectors
        drive.mediaType = mediaOf(drive.interfaceType, root.integer(block + "/queue/rotational"));
        drive.isInternal = drive.interfaceType != "USB" && root.integer(block + "/removable").value_or(0) != 1;
        drives.push_back(std::move(drive));
    }
    std::stable_sort(drives.begin(), drives.end(), [](const StorageDeviceInfo& a, const StorageDeviceInfo& b) {
        if (a.isInternal != b.isInternal) return a.isInternal;
        return a.capacityGB > b.capacityGB;
    });
    return drives;
}

} // namespace zantiva
