#include "ToolGuardProgram/DescendantKill.h"

#include <csignal>

namespace zantiva::toolguard {
namespace {

// A look that throws (memory ran out) has failed as well.
std::optional<std::vector<pid_t>> look(DescendantScan scan) noexcept {
    try {
        return scan();
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

void killDescendants(pid_t group, DescendantScan scan) noexcept {
    const auto found = look(scan);
    if (!found) {
        if (group > 0) ::kill(-group, SIGKILL);
        return;
    }
    for (const pid_t pid : *found) ::kill(pid, SIGKILL);
}

} // namespace zantiva::toolguard
