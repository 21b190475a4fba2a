// The tool guard: every outside tool runs under it, so that nothing the tool starts
// outlives the tool's run, the program that asked for it or the guard itself (see
// ToolGuard/GuardProtocol.h).

#include <charconv>
#include <cstring>
#include <string>
#include <unistd.h>

#include "ToolGuard/GuardProtocol.h"
#include "ToolGuardProgram/Supervisor.h"

int main(int argc, char** argv) {
    pid_t parent = 0;
    const char* text = argc > 1 ? argv[1] : "";
    const auto [end, ec] = std::from_chars(text, text + std::strlen(text), parent);
    if (argc < 3 || ec != std::errc{} || *end != '\0' || parent <= 0) {
        const std::string usage =
            std::string("usage: ") + zantiva::toolguard::programName + " PARENT-PID PROGRAM [ARGUMENT...]\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, usage.data(), usage.size());
        return 2;
    }
    zantiva::toolguard::endAs(zantiva::toolguard::watchOver(parent, argv + 2));
}
