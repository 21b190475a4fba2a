#include "Platform/BoundedProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/FileDescriptor.h"

extern char** environ;

namespace zantiva {

namespace {

// Starts the program in a process group of its own, so that a timeout also ends what it
// started, with its output into outputFd and nothing on its other streams.
std::optional<pid_t> spawnInOwnGroup(const std::vector<std::string>& arguments, int outputFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    std::vector<char*> argv;
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) return std::nullopt;
    return pid;
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
        ::kill(-*pid, SIGKILL);
        while (::waitpid(*pid, &status, 0) < 0 && errno == EINTR) {}
        return result;
    }
    if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    return result;
}

} // namespace zantiva
