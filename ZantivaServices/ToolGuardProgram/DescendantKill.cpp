#include "ToolGuardProgram/DescendantKill.h"

#include <csignal>

namespace zantiva::toolguard {

void killDescendants(pid_t group, DescendantScan scan) noexcept {
    try {
        for (const pid_t pid : scan()) ::kill(pid, SIGKILL);
    } catch (...) {
        if (group > 0) ::kill(-group, SIGKILL);
    }
}

} // namespace zantiva::toolguard
