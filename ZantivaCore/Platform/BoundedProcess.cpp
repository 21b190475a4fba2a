#include "Platform/BoundedProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <exception>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Platform/DescriptorIO.h"
#include "Platform/DescriptorSweep.h"
#include "Platform/FileDescriptor.h"

namespace zantiva {

namespace {

// In the forked child only: async-signal-safe calls until the exec. It waits for one byte on
// `go` before it runs anything (the caller first puts the keeper of its group in place) and
// ends without a word when the caller lets go of `go` instead. Why the exec failed goes to
// `report`, which a successful exec closes. No `errorFd` (-1): standard error on /dev/null.
[[noreturn]] void becomeProgram(pid_t parent, int outputFd, int errorFd, int go, int goWriter, int report,
                                char* const* argv) {
    ::setpgid(0, 0);
    // Ends with the thread that started it, however that ends (killed outright, by its alarm):
    // a run bounds its caller's time only if nothing of it outlives the caller. The kernel
    // drops this on the exec of a setuid program (pkexec).
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    ::close(goWriter);
    char byte = 0;
    ssize_t got = 0;
    while ((got = ::read(go, &byte, 1)) < 0 && errno == EINTR) {}
    if (got != 1) ::_exit(127);
    // Each source is first copied above the standard numbers, so that putting one in place
    // never closes another (a caller without standard streams has its pipes there); the
    // copies close at the exec.
    const int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const int sources[] = {nothing, outputFd, errorFd < 0 ? nothing : errorFd};
    int lifted[3];
    for (int stream = 0; stream < 3; ++stream) lifted[stream] = ::fcntl(sources[stream], F_DUPFD_CLOEXEC, 3);
    bool placed = true;
    for (int stream = 0; stream < 3 && placed; ++stream)
        placed = lifted[stream] >= 0 && ::dup2(lifted[stream], stream) >= 0;
    if (placed) ::execvp(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
    ::_exit(127);
}

// A program forked into a process group of its own and held there before it runs anything,
// with its output into outputFd, its errors into errorFd (or nowhere, when -1) and nothing on
// its input: a group that a timeout ends whole.
class HeldProgram {
public:
    // Absent when it could not be forked.
    static std::optional<HeldProgram> fork(const std::vector<std::string>& arguments, int outputFd, int errorFd) {
        std::vector<char*> argv;
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int report[2], go[2];
        if (::pipe2(report, O_CLOEXEC) != 0) return std::nullopt;
        FileDescriptor reportRead(report[0]), reportWrite(report[1]);
        if (::pipe2(go, O_CLOEXEC) != 0) return std::nullopt;
        FileDescriptor goRead(go[0]), goWrite(go[1]);
        const pid_t parent = ::getpid();
        const pid_t pid = ::fork();
        if (pid == 0)
            becomeProgram(parent, outputFd, errorFd, goRead.get(), goWrite.get(), reportWrite.get(), argv.data());
        if (pid < 0) return std::nullopt;
        // Also here, so that the group exists before any kill of it, or its keeper joins it.
        ::setpgid(pid, pid);
        return HeldProgram(pid, std::move(goWrite), std::move(reportRead));
    }

    pid_t pid() const { return pid_; }

    // Lets it run; false when its exec failed, and it is reaped.
    bool release() {
        [[maybe_unused]] const ssize_t sent = ::write(go_.get(), "", 1);
        go_.reset();
        int error = 0;
        ssize_t got = 0;
        while ((got = ::read(report_.get(), &error, sizeof error)) < 0 && errno == EINTR) {}
        if (got == 0) return true;
        reap();
        return false;
    }
    // Ends it before it has run anything, and reaps it.
    void withdraw() {
        go_.reset();
        reap();
    }

private:
    HeldProgram(pid_t pid, FileDescriptor go, FileDescriptor report)
        : pid_(pid), go_(std::move(go)), report_(std::move(report)) {}
    void reap() const {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
    }

    pid_t pid_;
    FileDescriptor go_;
    FileDescriptor report_;
};

[[noreturn]] void endOwnGroup() {
    ::kill(0, SIGKILL);
    ::_exit(0);
}

// The caller, as the keeper's handler knows it; set in the keeper before the handler is in place.
pid_t keptFor = 0;

// The kernel's notice that the caller's thread ended comes as sent by the caller itself (a
// real-time signal, queued, so never merged with another). Anything else is ignored: a
// program of the group may signal its whole group (`kill -TERM 0` to clean up), which must
// not end the group for it.
void onCallerGone(int, siginfo_t* info, void*) {
    if (info->si_code == SI_USER && info->si_pid == keptFor) endOwnGroup();
}

// In the forked keeper only: async-signal-safe calls. It joins the program's group and waits
// there, holding nothing open but `run`; should the caller end first, however it ends (the
// parent-death signal, or `run` closed with nothing written), it ends the whole group, so that
// nothing the program started outlives the caller. It leaves quietly on the byte the caller
// writes to `run` when the run is over. Every other signal is held off.
[[noreturn]] void keepGroup(pid_t parent, pid_t group, int run, int callerGone, int limit) {
    if (::setpgid(0, group) != 0) ::_exit(0);
    keptFor = parent;
    struct sigaction ending {};
    ending.sa_sigaction = onCallerGone;
    ending.sa_flags = SA_SIGINFO;
    ::sigaction(callerGone, &ending, nullptr);
    sigset_t others;
    ::sigfillset(&others);
    ::sigdelset(&others, callerGone);
    ::sigprocmask(SIG_SETMASK, &others, nullptr);
    ::prctl(PR_SET_PDEATHSIG, callerGone);
    if (::getppid() != parent) endOwnGroup();
    for (int fd = 0; fd < run; ++fd) ::close(fd);
    sweepDescriptors(run + 1, DescriptorSweep::close, limit);
    char byte = 0;
    ssize_t got = 0;
    while ((got = ::read(run, &byte, 1)) < 0 && errno == EINTR) {}
    if (got != 1) endOwnGroup();
    ::_exit(0);
}

// The keeper of the program's group (keepGroup) while a run lasts. Told to leave through a
// socket rather than by a signal, so that it leaves even when this process no longer may
// signal it.
class GroupKeeper {
public:
    explicit GroupKeeper(pid_t group) {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
        FileDescriptor run(fds[0]);
        running_ = FileDescriptor(fds[1]);
        const pid_t parent = ::getpid();
        const int callerGone = SIGRTMIN;
        const int limit = descriptorLimit();
        pid_ = ::fork();
        if (pid_ == 0) keepGroup(parent, group, run.get(), callerGone, limit);
        // Also here, so that the keeper is in the group before any kill of it.
        if (pid_ > 0) ::setpgid(pid_, group);
    }
    ~GroupKeeper() {
        if (pid_ <= 0) return;
        // No SIGPIPE when the keeper is gone already (killed with the group).
        [[maybe_unused]] const ssize_t sent = ::send(running_.get(), "", 1, MSG_NOSIGNAL);
        running_.reset();
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {}
    }
    GroupKeeper(const GroupKeeper&) = delete;
    GroupKeeper& operator=(const GroupKeeper&) = delete;
    bool started() const { return pid_ > 0; }

private:
    FileDescriptor running_;
    pid_t pid_ = -1;
};

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

// One stream the program writes: read to its end, at most `limit` bytes of it kept in `kept`.
struct Drain {
    FileDescriptor fd;
    std::string* kept;
    std::size_t limit;

    void keep(const char* bytes, std::size_t size) const {
        kept->append(bytes, std::min(limit - std::min(limit, kept->size()), size));
    }
};

// What the pipes still hold, read without waiting, at most a pipe's capacity of each (what
// a process of the group that lives on writes meanwhile can't hold the run). True when every
// stream came to its end.
bool readWhatIsLeft(std::vector<Drain>& drains) {
    char buffer[4096];
    bool allEnded = true;
    for (auto& drain : drains) {
        const int capacity = drain.fd.valid() ? ::fcntl(drain.fd.get(), F_GETPIPE_SZ) : 0;
        for (long left = std::max(capacity, 0); drain.fd.valid() && left > 0;) {
            const ReadStep step = readWhenReady(drain.fd.get(), buffer, std::chrono::steady_clock::now());
            if (step.outcome == ReadOutcome::endOfStream) drain.fd.reset();
            if (step.outcome != ReadOutcome::data) break;
            drain.keep(buffer, step.size);
            left -= long(step.size);
        }
        allEnded = allEnded && !drain.fd.valid();
    }
    return allEnded;
}

// Reads until the program closes every stream it writes, so that none of them fills and
// stops it; marks the result timed out, cancelled or unreadable when that comes first. The
// deadline is judged on what is there once it has come: a caller that was stopped (Ctrl+Z)
// past it finds the program ended and its output waiting, which is a run that ended in time.
// The program is only looked at, not reaped: its number and group stay its own until the
// caller reaps it or ends what is left of the group.
void readOutputs(std::vector<Drain>& drains, pid_t pid, std::chrono::steady_clock::time_point deadline,
                 const CancelToken& cancel, BoundedProcessResult& result) {
    char buffer[4096];
    for (;;) {
        if (mustStop(deadline, cancel, result)) {
            siginfo_t ended{};
            if (result.timedOut && ::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                ended.si_pid == pid)
                result.timedOut = !readWhatIsLeft(drains);
            return;
        }
        std::vector<int> open;
        for (const auto& drain : drains)
            if (drain.fd.valid()) open.push_back(drain.fd.get());
        if (open.empty()) return;
        const auto glance = std::chrono::steady_clock::now() + std::chrono::milliseconds(cancelCheckMs);
        const std::vector<bool> ready = awaitReadable(open, std::min(deadline, glance));
        std::size_t position = 0;
        for (auto& drain : drains) {
            if (!drain.fd.valid() || !ready[position++]) continue;
            const ReadStep step = readWhenReady(drain.fd.get(), buffer, std::chrono::steady_clock::now());
            switch (step.outcome) {
            case ReadOutcome::nothingYet: continue;
            case ReadOutcome::endOfStream: drain.fd.reset(); continue;
            // Output that can no longer be read can't be trusted whole: the run is cut off.
            case ReadOutcome::failed:
                result.readFailed = true;
                return;
            case ReadOutcome::data: break;
            }
            drain.keep(buffer, step.size);
        }
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
                                                      std::chrono::milliseconds timeout, std::size_t outputLimit,
                                                      const CancelToken& cancel, std::size_t errorLimit) {
    if (arguments.empty()) return std::nullopt;
    BoundedProcessResult result;
    std::vector<Drain> drains;
    std::vector<FileDescriptor> writeEnds;   // the program's ends, in the order of `drains`
    const auto addDrain = [&](std::string& kept, std::size_t limit) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) return false;
        drains.push_back({FileDescriptor(fds[0]), &kept, limit});
        writeEnds.emplace_back(fds[1]);
        return true;
    };
    if (!addDrain(result.output, outputLimit)) return std::nullopt;
    if (errorLimit > 0 && !addDrain(result.errors, errorLimit)) return std::nullopt;
    const int errorFd = errorLimit > 0 ? writeEnds[1].get() : -1;
    auto held = HeldProgram::fork(arguments, writeEnds[0].get(), errorFd);
    writeEnds.clear();
    if (!held) return std::nullopt;
    const pid_t pid = held->pid();
    // The keeper is in the group before the program runs anything, so that nothing the program
    // starts can outlive the caller, however soon that ends; a group that can't be kept isn't run.
    const GroupKeeper keeper(pid);
    if (!keeper.started()) {
        held->withdraw();
        return std::nullopt;
    }
    if (!held->release()) return std::nullopt;

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    readOutputs(drains, pid, deadline, cancel, result);
    drains.clear();

    int status = 0;
    const auto cutOff = [&result] { return result.timedOut || result.cancelled || result.readFailed; };
    // An ended program is reaped at the first look, deadline or not.
    if (!cutOff() && !awaitExit(pid, deadline, cancel, status, result)) return result;
    if (cutOff()) {
        endProgram(pid);
        return result;
    }
    if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
    return result;
}

} // namespace zantiva
