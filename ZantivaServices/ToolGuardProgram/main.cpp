// The tool guard: every outside tool runs under it, so that nothing the tool starts
// outlives the tool's run, the program that asked for it or the guard itself (see
// ToolGuard/GuardProtocol.h).

#include <string>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/ProcessStat.h"
#include "ToolGuard/GuardProtocol.h"
#include "ToolGuardProgram/Supervisor.h"

int main(int argc, char** argv) {
    const auto parent = argc > 1 ? zantiva::parseProcessId(argv[1]) : std::nullopt;
    if (argc < 3 || !parent || *parent == 0) {
        (void)zantiva::writeAll(STDERR_FILENO, std::string("usage: ") + zantiva::toolguard::programName +
                                                   " PARENT-PID PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    zantiva::toolguard::endAs(zantiva::toolguard::watchOver(*parent, argv + 2));
}
