// The tool guard: every outside tool runs under it, so that nothing the tool starts
// outlives the tool's run or the program that asked for it (see ToolGuard/GuardProtocol.h).

#include <charconv>
#include <csignal>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "ToolGuard/GuardProtocol.h"
#include "ToolGuardProgram/Supervisor.h"

namespace {

// Ends this process by the tool's signal, so that the launcher sees the tool's own end.
int endBy(int signal) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    return 128 + signal; // a signal whose default is not to end a process
}

} // namespace

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
    const zantiva::toolguard::ToolEnd toolEnd = zantiva::toolguard::supervise(parent, argv + 2);
    return toolEnd.signal != 0 ? endBy(toolEnd.signal) : toolEnd.exitCode;
}
