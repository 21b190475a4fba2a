#include "Platform/BoundedProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/FileDescriptor.h"

namespace zantiva {

namespace {

// In the forked child only: async-signal-safe calls until the exec. Why the exec failed goes
// to `report`, which a successful exec closes.
[[noreturn]] void becomeProgram(pid_t parent, int outputFd, int report, char* const* argv) {
    ::setpgid(0, 0);
    // Ends with the thread that started it, however that ends (killed outright, by its alarm):
    // a run bounds its caller's time only if nothing of it outlives the caller.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    if (outputFd == STDOUT_FILENO) ::fcntl(outputFd, F_SETFD, 0);
    else ::dup2(outputFd, STDOUT_FILENO);
    const int nothing = ::open("/dev/null", O_RDWR);
    ::dup2(nothing, STDIN_FILENO);
    ::dup2(nothing, STDERR_FILENO);
    if (nothing > STDERR_FILENO) ::close(nothing);
    ::execvp(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
    ::_exit(127);
}

// Starts the program in a process group of its own, so that a timeout also ends what it
// started, with its output into outputFd and nothing on its other streams. Absent when it
// could not be started.
std::optional<pid_t> spawnInOwnGroup(const std::vector<std::string>& arguments, int outputFd) {
    std::vector<char*> argv;
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    FileDescriptor reportRead(fds[0]);
    FileDescriptor reportWrite(fds[1]);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) becomeProgram(parent, outputFd, reportWrite.get(), argv.data());
    reportWrite.reset();
    if (pid < 0) return std::nullopt;
    // Also here, so that the group exists before any kill of it.
    ::setpgid(pid, pid);
    int error = 0;
    ssize_t got = 0;
    while ((got = ::read(reportRead.get(), &error, sizeof error)) < 0 && errno == EINTR) {}
    if (got == 0) return pid;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    return std::nullopt;
}

// Kills the program with its group and reaps it. One that can't be signalled (it became
// another user's, as pkexec's program becomes root) ends within its own bound; it is reaped
// by a thread of its own then, so that a stop never waits for it. With no thread to be had
// (this user's process limit is reached) it is left unreaped rather than waited for or thrown
// over.
void endProgram(pid_t pid) {
    ::kill(-pid, SIGKILL);
    int status = 0;
    if (::kill(pid, SIGKILL) == 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        return;
    }
    try {
        std::thread([pid] {
            int ended = 0;
            while (::waitpid(pid, &ended, 0) < 0 && errno == EINTR) {}
        }).detach();
    } catch (const std::exception&) {
    }
}

// How often a waiting run looks at its cancel token: a stop is answered well within a
// glance, at a cost of nothing measurable for a child that runs for seconds.
constexpr int cancelCheckMs = 20;

// True, with the reason marked, once the deadline has come or the run was cancelled.
bool mustStop(std::chrono::steady_clock::time_point deadline, const CancelToken& cancel,
              BoundedProcessResult& result) {
    if (cancel.isCancelled()) {
        result.cancelled = true;
        return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
        result.timedOut = true;
        return true;
    }
    return false;
}

// Reads until the program closes its output, keeping at most outputLimit bytes; marks the
// result timed out or cancelled when that comes first.
void readOutput(int fd, std::chrono::steady_clock::time_point deadline, std::size_t outputLimit,
                const CancelToken& cancel, BoundedProcessResult& result) {
    char buffer[4096];
    for (;;) {
        if (mustStop(deadline, cancel, result)) return;
        const auto glance = std::chrono::steady_clock::now() + std::chrono::milliseconds(cancelCheckMs);
        const ReadStep step = readWhenReady(fd, buffer, std::min(deadline, glance));
        switch (step.outcome) {
        case ReadOutcome::nothingYet: continue;
        case ReadOutcome::endOfStream: return;
        // Output that can no longer be read can't be trusted whole: the run is cut off.
        case ReadOutcome::failed:
            result.timedOut = true;
            return;
        case ReadOutcome::data: break;
        }
        const auto room = outputLimit - std::min(outputLimit, result.output.size());
        result.output.append(buffer, std::min(room, step.size));
    }
}

// Output closed: the program has ended or is about to; it still gets the deadline. False
// when it can't be waited for.
bool awaitExit(pid_t pid, std::chrono::steady_clock::time_point deadline, const CancelToken& cancel, int& status,
               BoundedProcessResult& result) {
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) return true;
        if (done < 0 && errno != EINTR) return false;
        if (mustStop(deadline, cancel, result)) return true;
        ::usleep(2000);
    }
}

} // namespace

std::optional<BoundedProcessResult> runBoundedProcess(const std::vector<std::string>& arguments,
                                                      std::chrono::milliseconds timeout,
                                                      std::size_t outputLimit, const CancelToken& cancel) {
    if (arguments.empty()) return std::nullopt;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    FileDescriptor readEnd(fds[0]);
    FileDescriptor writeEnd(fds[1]);
    const std::optional<pid_t> pid = spawnInOwnGroup(arguments, writeEnd.get());
    writeEnd.reset();
    if (!pid) return std::nullopt;

    BoundedProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    readOutput(readEnd.get(), deadline, outputLimit, cancel, result);
    readEnd.reset();

    int status = 0;
    const auto cutOff = [&result] { return result.timedOut || result.cancelled; };
    if (!cutOff() && !awaitExit(*pid, deadline, cancel, status, result)) return result;
    if (cutOff()) {
        endProgram(*pid);
        return result;
    }
    if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    return result;
}

} // namespace zantiva
