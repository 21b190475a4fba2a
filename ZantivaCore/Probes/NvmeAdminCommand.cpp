#include "Probes/NvmeAdminCommand.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/nvme_ioctl.h>
#include <sys/ioctl.h>

#include "Platform/FileDescriptor.h"
#include "Probes/NvmeHealthLog.h"

namespace zantiva {

namespace {

constexpr std::uint8_t getLogPage = 0x02;
constexpr std::uint32_t healthLogId = 0x02;
constexpr std::uint32_t allNamespaces = 0xFFFFFFFF;   // the controller-wide log
// The kernel's own limit for an admin command is a minute; a health log takes milliseconds.
constexpr std::uint32_t commandTimeoutMs = 5000;

} // namespace

HealthSourceAnswer<std::vector<std::uint8_t>> readNvmeHealthLog(const std::filesystem::path& controllerDevice) {
    const FileDescriptor fd(::open(controllerDevice.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {.value = std::nullopt, .refused = isRefusedForRights(errno)};
    std::vector<std::uint8_t> log(DriveHealthReader::nvmeHealthLogBytes, 0);
    nvme_admin_cmd command{};
    command.opcode = getLogPage;
    command.nsid = allNamespaces;
    command.addr = reinterpret_cast<std::uintptr_t>(log.data());
    command.data_len = static_cast<std::uint32_t>(log.size());
    // Number of dwords minus one in the upper half, the log identifier in the lower.
    command.cdw10 = (static_cast<std::uint32_t>(log.size() / 4 - 1) << 16) | healthLogId;
    command.timeout_ms = commandTimeoutMs;
    // Negative: the kernel refused (errno says why); positive: the drive's status code.
    const int status = ::ioctl(fd.get(), NVME_IOCTL_ADMIN_CMD, &command);
    if (status != 0) return {.value = std::nullopt, .refused = status < 0 && isRefusedForRights(errno)};
    return {.value = std::move(log), .refused = false};
}

} // namespace zantiva
