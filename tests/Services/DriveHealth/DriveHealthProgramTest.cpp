#include <gtest/gtest.h>

#include <fcntl.h>
#include <csignal>
#include <filesystem>
#include <future>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
ProgramRun runProgram(const std::vector<std::string>& arguments) {
    testing::TemporaryFolder folder;
    const auto out = folder.path() / "out";
    const auto err = folder.path() / "err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT, 0600);
    std::vector<char*> argv{const_cast<char*>(ZANTIVA_DRIVE_HEALTH)};
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    ProgramRun run;
    if (::posix_spawn(&pid, ZANTIVA_DRIVE_HEALTH, &actions, nullptr, argv.data(), environ) == 0) {
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

TEST(DriveHealthProgram, AListedDriveIsReadAndAnsweredInTheProtocol) {
    const std::string drive = listedDrive();
    if (drive.empty()) GTEST_SKIP() << "/sys/block lists no drive here";
    const ProgramRun run = runProgram({drive});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(DriveHealthProtocol::decodeReading(run.out)) << run.out;

    // The program's own way of running it, with the launcher left out.
    EXPECT_TRUE(readDriveThroughProgram({}, ZANTIVA_DRIVE_HEALTH, drive, 30s));
}

TEST(DriveHealthProgram, RightsNotGivenOrAGarbledAnswerReadAsNothing) {
    const std::string drive = listedDrive();
    if (drive.empty()) GTEST_SKIP() << "/sys/block lists no drive here";
    // pkexec's ends when the user declines (126) and when nobody may be asked (127).
    for (const char* status : {"exit 126", "exit 127"})
        EXPECT_FALSE(readDriveThroughProgram({"sh", "-c", status, "sh"}, ZANTIVA_DRIVE_HEALTH, drive, 30s)) << status;
    EXPECT_FALSE(readDriveThroughProgram({"sh", "-c", "echo smart-verdict: maybe", "sh"}, ZANTIVA_DRIVE_HEALTH, drive, 30s));
    EXPECT_FALSE(readDriveThroughProgram({"sh", "-c", "exec sleep 30", "sh"}, ZANTIVA_DRIVE_HEALTH, drive, 200ms));
    // A name that could be read as something else never reaches the launcher.
    EXPECT_FALSE(readDriveThroughProgram({"sh", "-c", "echo smart-verdict: passed", "sh"}, ZANTIVA_DRIVE_HEALTH,
                                         "--help", 30s));
    EXPECT_EQ(readDriveThroughProgram({"sh", "-c", "echo smart-verdict: passed", "sh"}, ZANTIVA_DRIVE_HEALTH, drive, 30s),
              (DriveHealthReading{.nvmeLog = std::nullopt, .verdict = true}));
}

// Stopping the run or quitting while the question for rights is open must not wait for
// the user: the launcher is ended and reaped, and the drive reads as not read.
TEST(DriveHealthProgram, AStoppedReadEndsTheOpenQuestionAtOnceAndLeavesNothingRunning) {
    testing::TemporaryFolder folder;
    const auto pidFile = folder.path() / "launcher.pid";
    const CancelToken cancel;
    auto reading = std::async(std::launch::async, [&] {
        return readDriveThroughProgram(testing::unansweredQuestion(pidFile), ZANTIVA_DRIVE_HEALTH, "nvme0n1", 10min,
                                       cancel);
    });
    const auto launcher = testing::awaitQuestion(pidFile);
    ASSERT_TRUE(launcher);
    ASSERT_FALSE(testing::isGone(*launcher));

    cancel.cancel();
    // Far inside the ten minutes the question was given; a hang ends the launcher itself so
    // that the test still finishes.
    const bool returned = reading.wait_for(60s) == std::future_status::ready;
    if (!returned) ::kill(*launcher, SIGKILL);
    ASSERT_TRUE(returned);
    EXPECT_FALSE(reading.get());
    // Reaped, not left a zombie: its pid no longer names a process.
    EXPECT_TRUE(testing::isGone(*launcher));
    EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(*launcher)));
}

} // namespace
} // namespace zantiva
