#include "Probes/SmartctlVerdict.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "Platform/BoundedProcess.h"
#include "Platform/FileDescriptor.h"

namespace zantiva::DriveHealthReader {

std::optional<bool> parseSystemVerdict(std::string_view smartctlJson) {
    const auto j = nlohmann::json::parse(smartctlJson, nullptr, /*allow_exceptions=*/false);
    if (!j.is_object()) return std::nullopt;
    const auto status = j.find("smart_status");
    if (status == j.end() || !status->is_object()) return std::nullopt;
    const auto passed = status->find("passed");
    if (passed == status->end() || !passed->is_boolean()) return std::nullopt;
    return passed->get<bool>();
}

std::optional<bool> systemVerdict(const std::vector<std::string>& command, std::chrono::milliseconds timeout,
                                  const CancelToken& cancel) {
    if (command.empty()) return std::nullopt;
    const auto run = runBoundedProcess(command, timeout, 1 << 20, cancel);
    if (!run || run->timedOut || run->cancelled) return std::nullopt;
    return parseSystemVerdict(run->output);
}

std::vector<std::string> smartctlVerdictCommand(const std::filesystem::path& deviceNode) {
    // A desktop user's search path often lacks the sbin folders where smartctl lives.
    static constexpr std::array<const char*, 4> places{"/usr/sbin/smartctl", "/usr/bin/smartctl", "/sbin/smartctl",
                                                       "/usr/local/sbin/smartctl"};
    for (const char* place : places)
        if (::access(place, X_OK) == 0) return {place, "--json", "-H", deviceNode.string()};
    return {};
}

HealthSourceAnswer<bool> smartctlVerdict(const std::filesystem::path& deviceNode, std::chrono::milliseconds timeout,
                                         const CancelToken& cancel) {
    const auto command = smartctlVerdictCommand(deviceNode);
    if (command.empty()) return {};
    {
        // Opened the way smartctl opens it, reading nothing, and closed before it runs.
        const FileDescriptor device(::open(deviceNode.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (device.get() < 0 && isRefusedForRights(errno)) return {.value = std::nullopt, .refused = true};
    }
    return {.value = systemVerdict(command, timeout, cancel), .refused = false};
}

} // namespace zantiva::DriveHealthReader
