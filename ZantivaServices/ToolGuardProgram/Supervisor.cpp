#include "ToolGuardProgram/Supervisor.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <ctime>
#include <optional>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/ProcessTree.h"
#include "ToolGuard/GuardProtocol.h"
#include "ToolGuardProgram/DescendantKill.h"

namespace zantiva::toolguard {
namespace {

// Between two looks at what is left while ending: a process reparented to us after a look
// sends no signal until it ends, so waiting for signals alone could wait for ever.
constexpr timespec endingPoll{0, 50'000'000};

sigset_t handledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&set, signal);
    return set;
}

// In the forked child only: async-signal-safe calls.
[[noreturn]] void runTool(pid_t guard, const sigset_t& originalMask, bool reports, char* const* arguments) {
    ::setpgid(0, 0);
    ::sigprocmask(SIG_SETMASK, &originalMask, nullptr);
    // Ends with us should we be killed outright; its own children are still ours to end.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != guard) ::_exit(127);
    ::execvp(arguments[0], arguments);
    if (reports) {
        char digits[16];
        const auto printed = std::to_chars(digits, digits + sizeof digits, errno);
        [[maybe_unused]] const ssize_t written =
            ::write(reportDescriptor, digits, static_cast<std::size_t>(printed.ptr - digits));
    }
    ::_exit(127);
}

// Whatever is below us; `group` is killed should the look fail.
void killAllBelow(pid_t group) {
    killDescendants(group, [] { return descendantsOf(::getpid()); });
}

ToolEnd endOf(int status) {
    if (WIFSIGNALED(status)) return {.signal = WTERMSIG(status)};
    return {.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 0};
}

// Reaps every process below us that has ended; `end` takes the end of `child` when it is one
// of them. False once nothing is left below us.
bool reapEnded(pid_t child, std::optional<ToolEnd>& end) {
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(-1, &status, WNOHANG);
        if (done == 0) return true;
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return false;
        if (done == child) end = endOf(status);
    }
}

bool isStop(int signal) { return signal == SIGTERM || signal == SIGINT || signal == SIGHUP; }

// Blocks the handled signals and ties this process to `parent`; false when the parent has
// gone already.
bool watchParent(pid_t parent, sigset_t& originalMask) {
    const sigset_t handled = handledSignals();
    ::sigprocmask(SIG_BLOCK, &handled, &originalMask);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) return false;
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    return true;
}

} // namespace

ToolEnd supervise(pid_t parent, char* const* arguments) {
    const sigset_t handled = handledSignals();
    sigset_t originalMask;
    if (!watchParent(parent, originalMask)) return {.exitCode = 1}; // gone before we could watch it
    // Kept from the tool on success; the tool's child writes to it when exec fails.
    const bool reports = ::fcntl(reportDescriptor, F_SETFD, FD_CLOEXEC) == 0;

    const pid_t guard = ::getpid();
    const pid_t tool = ::fork();
    if (tool == 0) runTool(guard, originalMask, reports, arguments);
    if (reports) ::close(reportDescriptor);
    if (tool < 0) return {.exitCode = 127};
    // Also here, so that the group exists before any kill of it.
    ::setpgid(tool, tool);

    std::optional<ToolEnd> end;
    bool ending = false;
    bool groupKilled = false;
    for (;;) {
        if (!end && !groupKilled) {
            // Only before the tool is reaped: until then, ended or not, it holds the group's id.
            siginfo_t info{};
            if (::waitid(P_PID, tool, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == tool) ending = true;
            if (ending) {
                ::kill(-tool, SIGKILL);
                groupKilled = true;
            }
        }
        if (!reapEnded(tool, end)) return end.value_or(ToolEnd{});
        ending = ending || end.has_value();
        // Whatever is still below us: all that can be left of the group, and what left it. Until
        // the tool is reaped its id is still the group's, and the group can be killed by it.
        if (ending) killAllBelow(end ? 0 : tool);
        const int signal = ending ? ::sigtimedwait(&handled, nullptr, &endingPoll) : ::sigwaitinfo(&handled, nullptr);
        if (isStop(signal)) ending = true;
    }
}

ToolEnd watchOver(pid_t parent, char* const* arguments) {
    const sigset_t handled = handledSignals();
    sigset_t originalMask;
    if (!watchParent(parent, originalMask)) return {.exitCode = 1};
    const pid_t watcher = ::getpid();
    const pid_t keeper = ::fork();
    if (keeper == 0) {
        ::sigprocmask(SIG_SETMASK, &originalMask, nullptr);
        endAs(supervise(watcher, arguments));
    }
    // The keeper reports a failed start; our copy would hold the report open past it.
    ::close(reportDescriptor);
    if (keeper < 0) return {.exitCode = 127};

    std::optional<ToolEnd> end;
    for (;;) {
        if (!reapEnded(keeper, end)) return end.value_or(ToolEnd{});
        // A keeper that died outright left its processes to us. We don't know the tool's group:
        // a look that fails is only tried again.
        if (end) killAllBelow(0);
        const int signal = end ? ::sigtimedwait(&handled, nullptr, &endingPoll) : ::sigwaitinfo(&handled, nullptr);
        if (isStop(signal) && !end) ::kill(keeper, SIGTERM);
    }
}

void endAs(ToolEnd end) {
    if (end.signal == 0) ::_exit(end.exitCode);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::signal(end.signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, end.signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(end.signal);
    ::_exit(128 + end.signal); // a signal whose default is not to end a process
}

} // namespace zantiva::toolguard
