#include "Probes/BlockDevices.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "Probes/HardwareText.h"

namespace zantiva {

namespace {

constexpr std::array<std::string_view, 8> notDrives{"loop", "ram", "zram", "dm-", "md", "nbd", "sr", "fd"};

bool isDrive(const std::string& name) {
    for (auto prefix : notDrives)
        if (name.rfind(prefix, 0) == 0) return false;
    // eMMC boot and replay-protected areas are parts of one chip, not drives.
    if (name.rfind("mmcblk", 0) == 0 && (name.find("boot") != std::string::npos || name.find("rpmb") != std::string::npos))
        return false;
    return true;
}

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

std::string interfaceOf(const std::string& name, const std::string& devicePath) {
    if (name.rfind("nvme", 0) == 0) return "NVMe";
    if (contains(devicePath, "/usb")) return "USB";
    if (contains(devicePath, "/virtio") || name.rfind("vd", 0) == 0) return "virtio";
    if (name.rfind("mmcblk", 0) == 0) return "MMC";
    if (contains(devicePath, "/ata")) return "SATA";
    if (name.rfind("xvd", 0) == 0) return "Xen";
    if (name.rfind("sd", 0) == 0) return "SCSI";
    return SystemSpecs::unknown;
}

std::string mediaOf(const std::string& interface, std::optional<std::int64_t> rotational) {
    // Virtual disks and USB bridges report "rotational" by default, whatever holds the data.
    if (interface == "virtio" || interface == "Xen" || !rotational) return "Unspecified";
    if (*rotational == 0) return "SSD";
    return interface == "USB" ? "Unspecified" : "HDD";
}

std::string modelOf(const ProbeRoot& root, const std::string& block, const std::string& interface) {
    auto model = knownHardwareText(root.text(block + "/device/model"));
    if (!model) return SystemSpecs::unknown;
    // SATA disks behind libata all say "ATA"; a USB or SCSI maker adds to the name.
    auto vendor = knownHardwareText(root.text(block + "/device/vendor"));
    if (vendor && *vendor != "ATA" && interface != "NVMe" && model->rfind(*vendor, 0) != 0) return *vendor + " " + *model;
    return *model;
}

} // namespace

std::vector<StorageDeviceInfo> readBlockDevices(const ProbeRoot& root) {
    std::vector<StorageDeviceInfo> drives;
    for (const auto& name : root.entries("/sys/block")) {
        if (!isDrive(name)) continue;
        const std::string block = "/sys/block/" + name;
        const std::string devicePath = root.resolved(block).string();
        if (contains(devicePath, "/devices/virtual/")) continue;
        const auto sectors = root.integer(block + "/size").value_or(0);
        if (sectors <= 0) continue;
        StorageDeviceInfo drive;
        drive.interfaceType = interfaceOf(name, devicePath);
        drive.model = modelOf(root, block, drive.interfaceType);
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
