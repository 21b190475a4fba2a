#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Model/SystemSpecs.h"
#include "Probes/ProbeRoot.h"

namespace zantiva {

// The machine's drives from /sys/block: internal ones first, larger first. Not drives here:
// see isPhysicalDrive; nor is anything of size 0.
std::vector<StorageDeviceInfo> readBlockDevices(const ProbeRoot& root);

// Whether a /sys/block entry, by its name and the device folder it leads to, is a physical
// drive. Not drives: loop, RAM, compressed-swap, device-mapper, RAID, network-block, optical
// and floppy devices, eMMC boot and replay-protected areas, one path of a shared NVMe
// namespace ("nvme0c0n1", which "nvme0n1" stands for), and whatever the kernel builds in
// software, except an NVMe namespace shared through its subsystem.
bool isPhysicalDrive(const std::string& name, std::string_view devicePath);

// The drive's interconnect ("NVMe", "USB", "virtio", "MMC", "SATA", "Hyper-V", "Xen" or
// "SCSI") by its name and device folder; empty when neither tells.
std::string driveInterconnect(const std::string& name, std::string_view devicePath);

// The drive's model as the kernel names it, led by its maker where a USB or SCSI maker stands
// apart ("SEAGATE ST4000NM0023"); absent when the kernel tells none or only a placeholder.
std::optional<std::string> driveModel(const ProbeRoot& root, const std::string& block, std::string_view interconnect);

// Virtual disks report a rotating medium whatever holds their data.
bool isVirtualInterconnect(std::string_view interconnect);

} // namespace zantiva
