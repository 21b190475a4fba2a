#include <gtest/gtest.h>

#include <fcntl.h>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../../Support/EnvironmentChange.h"
#include "../../Support/ProcessState.h"
#include "../../Support/StandInQuestion.h"
#include "../../Support/TemporaryFolder.h"
#include "DriveHealth/DriveHealthProtocol.h"
#include "DriveHealth/ElevatedDriveHealth.h"
#include "Platform/AtomicFile.h"

extern char** environ;

namespace zantiva {
namespace {

using namespace std::chrono_literals;

// How one run of the drive health program ended: its status and both of its streams.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Both streams go to files, so that the test sees what the program says on each.
ProgramRun runProgram(const std::vector<std::string>& arguments, const char* program = ZANTIVA_DRIVE_HEALTH) {
    testing::TemporaryFolder folder;
    const auto out = folder.path() / "out";
    const auto err = folder.path() / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    ProgramRun run;
    if (::posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readWholeFile(out).value_or("");
    run.err = readWholeFile(err).value_or("");
    return run;
}

// A name this machine lists under /sys/block, whatever the machine.
std::string listedDrive() {
    for (const auto& entry : std::filesystem::directory_iterator("/sys/block")) return entry.path().filename();
    return "";
}

TEST(DriveHealthProgram, RefusesAnythingButOneListedDriveName) {
    const std::vector<std::vector<std::string>> refused{
        {},
        {"sda", "sdb"},
        {"--help"},
        {"-v"},
        {"/dev/sda"},
        {"../../dev/sda"},
        {""},
        {"sda\n"},
        {std::string(300, 'a')},
        {"nosuchdrive0"},   // well formed, but no drive of that name
    };
    for (const auto& arguments : refused) {
        const ProgramRun run = runProgram(arguments);
        const std::string shown = arguments.empty() ? "(none)" : arguments.front().substr(0, 20);
        EXPECT_EQ(run.status, DriveHealthProtocol::argumentRefused) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_TRUE(run.err.starts_with("zantiva-drive-health: ")) << shown << ": " << run.err;
        // Said in our words, without echoing what it was given.
        EXPECT_EQ(run.err.find("dev/sda"), std::string::npos) << run.err;
    }
}

// A machine for the program's test build: /sys/block lists "sda", and a stand-in smartctl
// finds it passing when asked about that drive's node the way smartctl is asked, or runs
// the script it is given.
class FixtureMachine {
public:
    explicit FixtureMachine(const std::string& smartctl = "")
        : root_("ZANTIVA_DRIVE_HEALTH_ROOT", folder_.path().string()),
          smartctl_("ZANTIVA_DRIVE_HEALTH_SMARTCTL", (folder_.path() / "smartctl").string()) {
        std::filesystem::create_directories(folder_.path() / "sys/block/sda");
        std::ofstream script(folder_.path() / "smartctl");
        script << "#!/bin/sh\n";
        if (smartctl.empty())
            script << "[ \"$*\" = \"--json -H " << (folder_.path() / "dev/sda").string()
                   << "\" ] && echo '{\"smart_status\": {\"passed\": true}}'\n";
        else
            script << smartctl;
        script.close();
        ::chmod((folder_.path() / "smartctl").c_str(), 0755);
    }

    std::filesystem::path path() const { return folder_.path(); }

private:
    testing::TemporaryFolder folder_;
    testing::EnvironmentChange root_;
    testing::EnvironmentChange smartctl_;
};

TEST(DriveHealthProgram, AListedDriveIsReadAndAnsweredInTheProtocol) {
    const FixtureMachine machine;
    const ProgramRun run = runProgram({"sda"}, ZANTIVA_DRIVE_HEALTH_FIXTURE);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "started\nsmart-verdict: passed\n");

    // The program's own way of running it, with the launcher left out.
    EXPECT_EQ(readDriveThroughProgram({}, ZANTIVA_DRIVE_HEALTH_FIXTURE, "sda", 30s),
              (ElevatedDriveReading{.end = ElevatedReadEnd::read, .reading = {.nvmeLog = std::nullopt, .verdict = true}}));

    // The installed program on this machine's own drive: whatever it reads, it answers in the protocol.
    const std::string drive = listedDrive();
    if (drive.empty()) GTEST_SKIP() << "/sys/block lists no drive here";
    const ProgramRun own = runProgram({drive});
    EXPECT_EQ(own.status, 0) << own.err;
    EXPECT_TRUE(DriveHealthProtocol::decodeAnswer(own.out)) << own.out;
}

// Each way the read with rights can end without a reading is told apart, and only the
// person's refusal (or a question left unanswered) counts as declined.
TEST(DriveHealthProgram, RightsNotGivenOrAGarbledAnswerReadAsNothing) {
    const std::string drive = "sda";
    const auto endOf = [&](const std::string& script, const std::filesystem::path& program = ZANTIVA_DRIVE_HEALTH,
                           std::chrono::milliseconds timeout = 30s) {
        return readDriveThroughProgram({"sh", "-c", script, "sh"}, program, drive, timeout).end;
    };
    using End = ElevatedReadEnd;
    // pkexec's ends when the person declines (126) and when nobody can be asked (127).
    EXPECT_EQ(endOf("exit 126"), End::declined);
    EXPECT_EQ(endOf("exit 127"), End::nobodyToAsk);
    EXPECT_EQ(endOf("exec sleep 30", ZANTIVA_DRIVE_HEALTH, 200ms), End::declined);
    // The program ran, and its read failed: an error status, its alarm, a garbled answer.
    EXPECT_EQ(endOf("exit 1"), End::failed);
    EXPECT_EQ(endOf("kill -ALRM $$"), End::failed);
    EXPECT_EQ(endOf("printf 'started\\nsmart-verdict: maybe\\n'"), End::failed);
    EXPECT_EQ(endOf("echo smart-verdict: passed"), End::failed) << "no start line";
    // Nothing to ask with: no launcher, or no program to run.
    EXPECT_EQ(readDriveThroughProgram({"/nonexistent/pkexec"}, ZANTIVA_DRIVE_HEALTH, drive, 30s).end, End::nobodyToAsk);
    EXPECT_EQ(endOf("printf 'started\\nsmart-verdict: passed\\n'", "/nonexistent/zantiva-drive-health"), End::nobodyToAsk);
    // A name that could be read as something else never reaches the launcher.
    const std::string answer = "printf 'started\\nsmart-verdict: passed\\n'";
    EXPECT_EQ(readDriveThroughProgram({"sh", "-c", answer, "sh"}, ZANTIVA_DRIVE_HEALTH, "--help", 30s)
                  .end,
              End::failed);
    EXPECT_EQ(readDriveThroughProgram({"sh", "-c", answer, "sh"}, ZANTIVA_DRIVE_HEALTH, drive, 30s),
              (ElevatedDriveReading{.end = End::read, .reading = {.nvmeLog = std::nullopt, .verdict = true}}));
}

// A smartctl that starts a child of its own and never answers. Both note their pids beside
// the script, and the stand-in notes its caller's, the drive health program's.
std::string lingeringSmartctl(const std::filesystem::path& folder) {
    return "sleep 600 &\necho $! > " + (folder / "child.pid").string() + "\necho $PPID > " +
           (folder / "program.pid").string() + "\nwait\n";
}

// Each way the drive health program can end while smartctl still runs.
enum class Ending { callerGone, killed, alarm, stopped, pastTheLimit };

// Past the limit, a program that has started was given the rights: its read failed. And
// however the program ends, what its smartctl started ends with it.
TEST(DriveHealthProgram, WhatSmartctlStartedEndsWithTheProgramHoweverItEnds) {
    for (const Ending ending : {Ending::callerGone, Ending::killed, Ending::alarm, Ending::stopped, Ending::pastTheLimit}) {
        const auto shown = static_cast<int>(ending);
        testing::TemporaryFolder folder;
        const FixtureMachine machine(lingeringSmartctl(folder.path()));
        const auto read = [](std::chrono::milliseconds limit, const CancelToken& cancel = {}) {
            return readDriveThroughProgram({}, ZANTIVA_DRIVE_HEALTH_FIXTURE, "sda", limit, cancel);
        };
        pid_t caller = -1;
        if (ending == Ending::callerGone && (caller = ::fork()) == 0) {
            read(10min);
            ::_exit(0);
        }
        const CancelToken cancel;
        std::future<ElevatedDriveReading> reading;
        if (ending != Ending::callerGone)
            reading = std::async(std::launch::async,
                                 [&] { return read(ending == Ending::pastTheLimit ? 5s : 10min, cancel); });
        const auto program = testing::awaitQuestion(folder.path() / "program.pid");
        const auto child = testing::awaitQuestion(folder.path() / "child.pid");
        ASSERT_TRUE(program && child) << shown;
        switch (ending) {
        case Ending::callerGone:
            ::kill(caller, SIGKILL);
            ::waitpid(caller, nullptr, 0);
            break;
        case Ending::killed: ::kill(*program, SIGKILL); break;
        case Ending::alarm: ::kill(*program, SIGALRM); break;
        case Ending::stopped: cancel.cancel(); break;
        case Ending::pastTheLimit: break;
        }
        if (reading.valid()) {
            ASSERT_EQ(reading.wait_for(60s), std::future_status::ready) << shown;
            EXPECT_EQ(reading.get().end, ending == Ending::stopped ? ElevatedReadEnd::stopped : ElevatedReadEnd::failed)
                << shown;
        }
        const bool ended = testing::pollUntil([&] { return testing::isGone(*child); });
        if (!ended) ::kill(*child, SIGKILL);
        EXPECT_TRUE(ended) << shown;
    }
}

// pkexec ends with 127 both when the person was asked and the rights were refused (a wrong
// password, a policy that says no) and when nobody could be asked: only the words it prints
// on its standard error tell them apart.
TEST(DriveHealthProgram, PkexecsRefusalReadsAsDeclinedAndItsOtherFailuresAsNobodyToAsk) {
    const auto endOf = [](const std::string& said, int status) {
        const std::vector<std::string> launcher{"sh", "-c", "printf '%s' \"$0\" >&2; exit " + std::to_string(status),
                                                said};
        return readDriveThroughProgram(launcher, ZANTIVA_DRIVE_HEALTH, "sda", 30s).end;
    };
    using End = ElevatedReadEnd;
    const std::string refused =
        "Error executing command as another user: Not authorized\n\nThis incident has been reported.\n";
    EXPECT_EQ(endOf(refused, 127), End::declined);
    EXPECT_EQ(endOf("(pkexec:42): GLib-WARNING **: something\n" + refused, 127), End::declined);
    EXPECT_EQ(endOf("Error executing command as another user: Request dismissed\n", 126), End::declined);
    const std::vector<std::string> nobodyToAsk{
        "Error executing command as another user: No authentication agent found.\n",
        "Error getting authority: Error initializing authority: Could not connect: No such file or directory\n",
        "Error checking for authorization com.zantiva.diagnostics.read-drive-health: GDBus.Error:"
        "org.freedesktop.PolicyKit1.Error.Failed: Not authorized to check\n",
        "Cannot run program /usr/libexec/zantiva-drive-health: No such file or directory\n",
        "",
    };
    for (const auto& said : nobodyToAsk) EXPECT_EQ(endOf(said, 127), End::nobodyToAsk) << said;
    // The words count only with pkexec's status.
    EXPECT_EQ(endOf(refused, 1), End::failed);
}

// A read on a thread of its own whose launcher waits for an answer that never comes; at the
// end it is stopped and its launcher killed, so that a failed test still finishes.
struct OpenQuestion {
    OpenQuestion()
        : reading(std::async(std::launch::async,
                             [this] {
                                 return readDriveThroughProgram(testing::unansweredQuestion(pidFile),
                                                                ZANTIVA_DRIVE_HEALTH, "nvme0n1", 10min, cancel);
                             })),
          launcher(testing::awaitQuestion(pidFile)) {}
    ~OpenQuestion() {
        cancel.cancel();
        if (launcher) ::kill(*launcher, SIGKILL);
    }
    OpenQuestion(const OpenQuestion&) = delete;
    OpenQuestion& operator=(const OpenQuestion&) = delete;

    // Whether the read returned after the stop; the bound, far inside the question's ten
    // minutes, only lets a hang fail the test.
    bool returned() { return reading.wait_for(60s) == std::future_status::ready; }

    testing::TemporaryFolder folder;
    const std::filesystem::path pidFile = folder.path() / "launcher.pid";
    const CancelToken cancel;
    std::future<ElevatedDriveReading> reading;
    const std::optional<pid_t> launcher;
};

// Stopping the run or quitting while the question for rights is open must not wait for
// the user: the launcher is ended and reaped, and the drive reads as not read.
TEST(DriveHealthProgram, AStoppedReadEndsTheOpenQuestionAtOnceAndLeavesNothingRunning) {
    OpenQuestion question;
    const auto launcher = question.launcher;
    ASSERT_TRUE(launcher);
    ASSERT_FALSE(testing::isGone(*launcher));

    question.cancel.cancel();
    ASSERT_TRUE(question.returned());
    EXPECT_EQ(question.reading.get().end, ElevatedReadEnd::stopped);
    // Reaped, not left a zombie: its pid no longer names a process.
    EXPECT_TRUE(testing::isGone(*launcher));
    EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(*launcher)));
}

// This process as a user that can't signal what root started, as the program can't signal
// its drive health program once pkexec has made it root; root again at the end of the scope.
class ActingAsUser {
public:
    ActingAsUser() { acting_ = ::setresuid(65534, 65534, 0) == 0; }
    ~ActingAsUser() {
        if (!acting_) return;
        [[maybe_unused]] const int back = ::setresuid(0, 0, 0);
        ::prctl(PR_SET_DUMPABLE, 1);
    }
    bool acting() const { return acting_; }
    ActingAsUser(const ActingAsUser&) = delete;
    ActingAsUser& operator=(const ActingAsUser&) = delete;

private:
    bool acting_ = false;
};

// Stops the read while this process acts as a user that can't signal the launcher, as the
// program can't signal its drive health program run as root; with `withoutThreads` that user
// may start no more threads either (its process limit is reached). True when the launcher
// was out of reach and the read returned after the stop.
bool stoppedOutOfReach(OpenQuestion& question, bool withoutThreads) {
    const ActingAsUser user;
    rlimit own{};
    ::getrlimit(RLIMIT_NPROC, &own);
    const rlimit none{0, own.rlim_max};
    const bool outOfReach = user.acting() && ::kill(*question.launcher, 0) != 0 &&
                            (!withoutThreads || ::setrlimit(RLIMIT_NPROC, &none) == 0);
    question.cancel.cancel();
    const bool returned = outOfReach && question.returned();
    if (withoutThreads) ::setrlimit(RLIMIT_NPROC, &own);
    return returned;
}

// Stopped after the person has answered, while the program runs as root: the stop can't end
// it and must not wait for it (up to its own bound); it is reaped once it ends.
TEST(DriveHealthProgram, AStoppedReadReturnsAtOnceThoughTheProgramCanNoLongerBeSignalled) {
    if (::geteuid() != 0) GTEST_SKIP() << "a program this user can't signal needs root to start it";
    OpenQuestion question;
    const auto launcher = question.launcher;
    ASSERT_TRUE(launcher);

    const bool returned = stoppedOutOfReach(question, false);
    const bool stillRunning = !testing::isGone(*launcher);
    ::kill(*launcher, SIGKILL);
    ASSERT_TRUE(returned);
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(question.reading.get().end, ElevatedReadEnd::stopped);
    // Once it ends it is reaped all the same, not left a zombie.
    EXPECT_TRUE(testing::pollUntil([&] { return !std::filesystem::exists("/proc/" + std::to_string(*launcher)); }));

    // With no thread to be had to wait for it, the stop still ends as stopped instead of
    // throwing, and leaves the program to this process.
    OpenQuestion starved;
    ASSERT_TRUE(starved.launcher);
    const bool starvedReturned = stoppedOutOfReach(starved, true);
    ::kill(*starved.launcher, SIGKILL);
    ASSERT_TRUE(starvedReturned);
    ElevatedDriveReading reading;
    EXPECT_NO_THROW(reading = starved.reading.get());
    EXPECT_EQ(reading.end, ElevatedReadEnd::stopped);
    EXPECT_EQ(::waitpid(*starved.launcher, nullptr, 0), *starved.launcher);
}

} // namespace
} // namespace zantiva
