// "--external-run" end to end: the real program runs our tool scripts from a store in a
// temporary data folder, and a SIGTERM in the middle of a run on a real disk image.

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "../Support/DiskImages.h"
#include "../Support/EnvironmentChange.h"
#include "../Support/FullDisk.h"
#include "../Support/HeldLock.h"
#include "../Support/OtherUser.h"
#include "../Support/PollUntil.h"
#include "../Support/ProcessState.h"
#include "../Support/StandInQuestion.h"
#include "../Support/TemporaryFolder.h"
#include "../Support/TerminalControls.h"
#include "External/ExternalBenchmarkStore.h"
#include "External/MountTable.h"
#include "Model/AppPaths.h"
#include "Platform/BoundedProcess.h"

extern char** environ;

namespace zantiva {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using App = ExternalBenchmarkApp;
using testing::FullDisk;
using testing::isGone;

const fs::path tools = fs::path(ZANTIVA_FIXTURES) / "outside-tools";

std::string readAll(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The program with its own data, home and runtime folders; its output goes to files.
class ExternalRunMode : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
        setenv("HOME", (scratch / "home").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (scratch / "run").c_str(), 1);
        setenv("ZANTIVA_TEST_PID_FILE", (scratch / "tool.pid").c_str(), 1);
        setenv("ZANTIVA_TEST_GO_FILE", (scratch / "go").c_str(), 1);
        fs::create_directories(scratch / "run");
        fs::permissions(scratch / "run", fs::perms::owner_all); // a runtime folder as the session makes it
    }

    ExternalBenchmarkStore store() const { return ExternalBenchmarkStore(appFolder); }

    enum class Output { toFile, closed };
    pid_t start(std::vector<std::string> arguments, Output output = Output::toFile) {
        arguments.insert(arguments.begin(), ZANTIVA_PROGRAM);
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        if (output == Output::closed)
            posix_spawn_file_actions_addclose(&files, 1);
        else
            posix_spawn_file_actions_addopen(&files, 1, (scratch / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, (scratch / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        return pid;
    }
    static int finish(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    testing::TemporaryFolder scratch;
    fs::path appFolder = scratch / "data" / std::string(AppPaths::folderName);
};

TEST_F(ExternalRunMode, RunsTheReadyToolsStoresWhatTheyGaveAndWritesTheCsv) {
    {
        ExternalBenchmarkStore s = store();
        s.setInstallation(ExternalBenchmarkInstallation{.app = App::geekbench,
                                                        .executablePath = (tools / "geekbench-upload").string(),
                                                        .version = "6.3.0"},
                          App::geekbench);
        s.setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                        .executablePath = (tools / "cinebench-score").string()},
                          App::cinebench2024);
        s.setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2026,
                                                        .executablePath = (tools / "tool-exits-3").string()},
                          App::cinebench2026);
    }
    EXPECT_EQ(finish(start({"--external-run", "--short", "--verbose"})), 1);
    const std::string out = readAll(scratch / "out");
    const std::string csv = (appFolder / "apps benchmarks.csv").string();
    const std::string page = "https://browser.geekbench.com/v6/cpu/1234567";
    EXPECT_EQ(out.substr(0, out.find("step 5/7")),
              "step 1/7: Geekbench 6.3.0 \u2014 CPU (single-core + multi-core): pending " + page + "\n"
              "step 2/7: Geekbench 6.3.0 \u2014 GPU: pending " + page + "\n"
              "step 3/7: Cinebench 2024 \u2014 CPU single-core: done\n"
              "cinebench2024.singleCoreScore: 123.45\n"
              "step 4/7: Cinebench 2024 \u2014 CPU multi-core: done\n"
              "cinebench2024.multiCoreScore: 123.45\n");
    EXPECT_NE(out.find("step 5/7: Cinebench 2026 \u2014 CPU single-core: problem: Cinebench 2026 quit with exit code 3. "),
              std::string::npos);
    EXPECT_NE(out.find("step 7/7: Cinebench 2026 \u2014 GPU: problem: "), std::string::npos);
    EXPECT_TRUE(out.ends_with("csv: " + csv + "\nfailed: 3 of 7 steps did not score\n")) << out;
    EXPECT_NE(readAll(scratch / "err").find("boom: the tool broke"), std::string::npos) << "--verbose";

    EXPECT_EQ(store().settings(App::geekbench).pendingResults.size(), 2u);
    EXPECT_EQ(store().settings(App::cinebench2024).lastResult->multiCoreScore, 123.45);
    EXPECT_NE(readAll(csv).find("Cinebench 2024,123.5,123.5,"), std::string::npos);

    EXPECT_EQ(finish(start({"--external-run", "nothing"})), 1);
    EXPECT_EQ(readAll(scratch / "out"),
              "failed: unknown application nothing (geekbench, cinebench2024 or cinebench2026)\n");
}

// Under a locale whose decimal point is "٫" (made here when the system has none) the stored
// scores read back whole, are stored back whole, and the CSV keeps their fractions.
TEST_F(ExternalRunMode, NumbersKeepTheirFractionsWhateverTheLocale) {
    const fs::path locales = scratch / "locales";
    fs::create_directory(locales);
    const auto made = runBoundedProcess({"localedef", "-i", "ps_AF", "-f", "UTF-8", (locales / "ps_AF.UTF-8").string()}, 60s);
    if (!made || !made->succeeded()) GTEST_SKIP() << "localedef can't make the ps_AF locale here";
    const testing::EnvironmentChange path("LOCPATH", locales.string());
    const testing::EnvironmentChange locale("LC_ALL", "ps_AF.UTF-8");
    {
        ExternalBenchmarkStore s = store();
        s.setResult(ExternalBenchmarkResult{.singleCoreScore = 123.45, .multiCoreScore = 3012.34}, App::cinebench2024);
        s.setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2026,
                                                        .executablePath = (tools / "cinebench-score").string()},
                          App::cinebench2026);
    }

    EXPECT_EQ(finish(start({"--external-run", "cinebench2026", "--short"})), 0) << readAll(scratch / "out");
    EXPECT_EQ(store().settings(App::cinebench2024).lastResult->singleCoreScore, 123.45);
    EXPECT_EQ(store().settings(App::cinebench2024).lastResult->multiCoreScore, 3012.34);
    EXPECT_EQ(store().settings(App::cinebench2026).lastResult->singleCoreScore, 123.45);
    const std::string csv = readAll(appFolder / "apps benchmarks.csv");
    EXPECT_NE(csv.find("Cinebench 2024,123.5,3012.3,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Cinebench 2026,123.5,123.5,"), std::string::npos) << csv;
}

// A tool's lines reach the problem line, and with --verbose standard error, escaped: no
// escape sequence, C1 control, bell or stray byte gets to the terminal.
TEST_F(ExternalRunMode, AToolsControlCharactersReachTheTerminalEscaped) {
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "tool-prints-controls").string()},
                            App::cinebench2024);
    for (const bool verbose : {false, true}) {
        std::vector<std::string> arguments{"--external-run", "cinebench2024", "--short"};
        if (verbose) arguments.emplace_back("--verbose");
        EXPECT_EQ(finish(start(arguments)), 1);
        const std::string out = readAll(scratch / "out"), err = readAll(scratch / "err");
        EXPECT_NE(out.find("problem: Cinebench 2024 quit with "), std::string::npos) << out;
        EXPECT_NE(out.find("Running \\x1b]0;taken\\x07 over"), std::string::npos) << out;
        EXPECT_NE(out.find("boom \\x1b[2J\\x1b[31mred"), std::string::npos) << out;
        EXPECT_EQ(testing::terminalControlsIn(out), std::vector<std::string>{}) << out;
        EXPECT_EQ(testing::terminalControlsIn(err), std::vector<std::string>{}) << verbose;
    }
    const std::string err = readAll(scratch / "err");
    EXPECT_NE(err.find("clip \\x1b]52;c;cm0gLXJmIH4K\\x07 query \\x1b[6n alt \\x1b[?1049h\n"), std::string::npos) << err;
    EXPECT_NE(err.find("c1 \\xc2\\x9b2J \\xc2\\x9d0;t\\xc2\\x9c \\xc2\\x85 bare \\x9b2J \\x9d0;t\\x9c \\x90q\\x9c "
                       "del \\x7f bs \\x08\n"),
              std::string::npos)
        << err;
}

TEST_F(ExternalRunMode, TheCsvLineIsEscapedAsTheOthersAre) {
    const fs::path data = scratch / "da\x1b[2Jta\nhome";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const fs::path folder = data / std::string(AppPaths::folderName);
    ExternalBenchmarkStore(folder).setInstallation(
        ExternalBenchmarkInstallation{.app = App::cinebench2024, .executablePath = (tools / "cinebench-score").string()},
        App::cinebench2024);
    EXPECT_EQ(finish(start({"--external-run", "cinebench2024", "--short"})), 0);
    const std::string out = readAll(scratch / "out");
    EXPECT_TRUE(out.ends_with("\ncsv: " + scratch.path().string() + "/da\\x1b[2Jta\\nhome/" +
                              std::string(AppPaths::folderName) + "/apps benchmarks.csv\n"))
        << out;
    EXPECT_TRUE(fs::exists(folder / "apps benchmarks.csv"));
}

// Run as root without a runtime folder (sudo, su, cron), after another user made the
// per-user temporary folder with a link to a folder root can write in place of the images
// folder: the run goes on in a fresh folder, which is gone when it ends, nothing there is
// deleted or changed, and standard error says why the folder was refused.
TEST_F(ExternalRunMode, AnotherUsersLinkInPlaceOfTheImagesFolderLosesNothing) {
    const fs::path victim = scratch / "victim";
    fs::create_directory(victim);
    fs::permissions(victim, fs::perms(0755));
    for (const char* name : {"passwd", "shadow"}) std::ofstream(victim / name) << name << "\n";
    const fs::path shared = testing::sharedTemporaryIn(scratch.path());
    const fs::path perUser = shared / ("zantiva-diagnostics-" + std::to_string(::getuid()));
    if (const auto why = testing::asOtherUser({"mkdir", "-m", "0755", perUser.string()})) GTEST_SKIP() << *why;
    if (const auto why = testing::asOtherUser({"ln", "-s", victim.string(), (perUser / "images").string()}))
        GTEST_SKIP() << *why;
    const testing::EnvironmentChange temporary("TMPDIR", shared.string());
    const testing::EnvironmentChange runtime("XDG_RUNTIME_DIR", std::nullopt);
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "cinebench-score").string()},
                            App::cinebench2024);

    EXPECT_EQ(finish(start({"--external-run", "cinebench2024", "--short"})), 0) << readAll(scratch / "out");
    EXPECT_EQ(readAll(victim / "passwd"), "passwd\n");
    EXPECT_EQ(readAll(victim / "shadow"), "shadow\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(victim), {}), 2);
    EXPECT_EQ(fs::status(victim).permissions(), fs::perms(0755));
    EXPECT_NE(readAll(scratch / "err").find("refused " + perUser.string() + ": a folder owned by user 65534"),
              std::string::npos)
        << readAll(scratch / "err");
    EXPECT_EQ(testing::freshFoldersBeside(perUser), std::vector<fs::path>{});
}

TEST_F(ExternalRunMode, SigtermStopsTheToolFirstAndLeavesNoProcessAndNoMount) {
    const fs::path image = testing::buildGeekbenchImage(tools / "slow-tool", scratch / "Geekbench-6.3.0.img");
    if (const auto refused = testing::loopMountRefused(image, scratch.path())) GTEST_SKIP() << *refused;
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::geekbench,
                                                          .executablePath = "Geekbench-6.3.0-Linux/geekbench6",
                                                          .version = "6.3.0",
                                                          .diskImagePath = image.string()},
                            App::geekbench);

    const pid_t program = start({"--external-run", "geekbench"});
    pid_t grandchild = 0;
    // A program that could not open the image ends without starting the tool: no use waiting on.
    for (int i = 0; i < 600 && grandchild == 0 && !isGone(program); ++i) {
        std::this_thread::sleep_for(50ms);
        std::ifstream(scratch / "tool.pid") >> grandchild;
    }
    ASSERT_NE(grandchild, 0) << readAll(scratch / "out") << readAll(scratch / "err");
    const auto devices = allLoopDevicesBackedBy("/", image);
    EXPECT_TRUE(mountPointOf(devices, readMountTable("/").value()));
    kill(program, SIGTERM);
    EXPECT_EQ(finish(program), 1);
    EXPECT_TRUE(readAll(scratch / "out").ends_with(": cancelled\nfailed: stopped\n")) << readAll(scratch / "out");
    for (int i = 0; i < 100 && !isGone(grandchild); ++i) std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(isGone(grandchild));
    EXPECT_FALSE(mountPointOf(allLoopDevicesBackedBy("/", image), readMountTable("/").value()));
    EXPECT_FALSE(fs::exists(appFolder / "apps benchmarks.csv"));
}

// The app folder on a tmpfs of 16 KiB that is full once the installation is stored: what
// a full disk does to the scores and the CSV file.
TEST_F(ExternalRunMode, ScoresThatCantBeStoredFailTheStepAndTheRun) {
    const FullDisk disk(appFolder);
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "cinebench-score").string()},
                            App::cinebench2024);
    disk.fill();

    EXPECT_EQ(finish(start({"--external-run", "cinebench2024", "--short"})), 1);
    const std::string out = readAll(scratch / "out");
    EXPECT_TRUE(out.starts_with("step 1/2: Cinebench 2024 \u2014 CPU single-core: problem: The scores were measured "
                                "but couldn't be saved: " + (appFolder / "external-benchmarks.json").string() + "\n"))
        << out;
    EXPECT_TRUE(out.ends_with("failed: Couldn't write the CSV file: " + (appFolder / "apps benchmarks.csv").string() +
                              "\n"))
        << out;
    EXPECT_FALSE(store().settings(App::cinebench2024).lastResult);
}

// Scores whose save failed while another process held the store's lock are written by the next
// step's save: the run says so under that step's scores, then gives the scores saved late, and
// ends as a run whose every step scored.
TEST_F(ExternalRunMode, ScoresWrittenByALaterStepAreToldAsSavedLate) {
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "slow-tool").string()},
                            App::cinebench2024);
    testing::HeldLock held(appFolder / ExternalBenchmarkStore::fileName);
    ASSERT_TRUE(held.held());
    const pid_t program = start({"--external-run", "cinebench2024", "--short"});
    const auto firstTool = testing::awaitQuestion(scratch / "tool.pid", 30s); // what the tool started
    ASSERT_TRUE(firstTool);
    fs::remove(scratch / "tool.pid");
    std::ofstream(scratch / "go") << "go\n";
    // The step has ended once what its tool started is gone; its save waits 10 s for the lock,
    // and the second step's tool waits for the next go.
    ASSERT_TRUE(testing::pollUntil([&] { return testing::isGone(*firstTool); }, 30s));
    fs::remove(scratch / "go");
    ASSERT_TRUE(testing::awaitQuestion(scratch / "tool.pid", 30s));
    held.release();
    std::ofstream(scratch / "go") << "go\n";

    EXPECT_EQ(finish(program), 0);
    EXPECT_EQ(readAll(scratch / "out"),
              "step 1/2: Cinebench 2024 \u2014 CPU single-core: problem: The scores were measured but couldn't be "
              "saved: " + (appFolder / "external-benchmarks.json").string() + "\n"
              "step 2/2: Cinebench 2024 \u2014 CPU multi-core: done\n"
              "cinebench2024.multiCoreScore: 77.7\n"
              "saved late: The scores of Cinebench 2024 that couldn't be saved before are saved now\n"
              "cinebench2024.singleCoreScore: 77.7\n"
              "csv: " + (appFolder / "apps benchmarks.csv").string() + "\n");
    EXPECT_EQ(store().settings(App::cinebench2024).lastResult->singleCoreScore, 77.7);
}

// A Geekbench page that can't be read leaves only its link; on a full disk that can't be
// kept either: the step is a problem, not "pending".
TEST_F(ExternalRunMode, APendingLinkThatCantBeStoredFailsTheStep) {
    const FullDisk disk(appFolder);
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs can't be mounted here";
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::geekbench,
                                                          .executablePath = (tools / "geekbench-upload").string(),
                                                          .version = "6.3.0"},
                            App::geekbench);
    disk.fill();

    EXPECT_EQ(finish(start({"--external-run", "geekbench", "--short"})), 1);
    const std::string out = readAll(scratch / "out");
    EXPECT_TRUE(out.starts_with("step 1/2: Geekbench 6.3.0 \u2014 CPU (single-core + multi-core): problem: Geekbench "
                                "finished and uploaded the result, but its score couldn't be read just now, and its "
                                "link couldn't be saved (No space left on device)"))
        << out;
    EXPECT_EQ(out.find("pending"), std::string::npos) << out;
    EXPECT_TRUE(store().settings(App::geekbench).pendingResults.empty());
}

// Started with its standard output closed, the program's output must not reach whatever it
// opens next under that number (the event loop's descriptor, the log's socket, a store's file).
TEST_F(ExternalRunMode, AClosedStandardOutputIsNeverAnotherFileOfTheProgram) {
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "slow-tool").string()},
                            App::cinebench2024);
    const pid_t program = start({"--external-run", "cinebench2024", "--short"}, Output::closed);
    for (int i = 0; i < 600 && !fs::exists(scratch / "tool.pid"); ++i) std::this_thread::sleep_for(50ms);
    std::error_code ec;
    const fs::path output = fs::read_symlink("/proc/" + std::to_string(program) + "/fd/1", ec);
    std::ofstream(scratch / "go") << "go\n";
    EXPECT_EQ(finish(program), 1);
    EXPECT_EQ(output, "/dev/null") << ec.message();
    EXPECT_TRUE(readAll(scratch / "err").ends_with("failed: Couldn't write all the results to standard output.\n"))
        << readAll(scratch / "err");
    EXPECT_EQ(store().settings(App::cinebench2024).lastResult->singleCoreScore, 77.7);
}

// An app folder that is a link is refused, so nothing can be stored: the run says so before
// its first step, and a step that scored says so instead of "done".
TEST_F(ExternalRunMode, WithoutAnAppFolderNoStepIsToldAsStored) {
    fs::create_directories(scratch / "elsewhere");
    fs::create_directories(appFolder.parent_path());
    fs::create_directory_symlink(scratch / "elsewhere", appFolder);
    const fs::path geekbench = scratch / "home" / "Applications" / "Geekbench-6.3.0-Linux" / "geekbench6";
    fs::create_directories(geekbench.parent_path());
    fs::copy_file(tools / "geekbench-scores", geekbench);

    EXPECT_EQ(finish(start({"--external-run", "geekbench", "--short"})), 1);
    const std::string out = readAll(scratch / "out");
    EXPECT_TRUE(out.starts_with("notice: Nothing is saved in this run: the app's folder " + appFolder.string() +
                                " is a link, and the app never keeps its data through a link. Put the folder it "
                                "points to in its place, or remove the link and a new folder is made.\n"
                                "step 1/2: Geekbench 6.3.0 \u2014 CPU (single-core + multi-core): problem: The scores were "
                                "measured but couldn't be saved: external-benchmarks.json\n"))
        << out;
    EXPECT_TRUE(fs::is_empty(scratch / "elsewhere"));
}

TEST_F(ExternalRunMode, AProgramKilledOutrightLeavesNothingOfItsToolRunning) {
    store().setInstallation(ExternalBenchmarkInstallation{.app = App::cinebench2024,
                                                          .executablePath = (tools / "escaping-tool").string()},
                            App::cinebench2024);
    const pid_t program = start({"--external-run", "cinebench2024"});
    std::vector<pid_t> pids;
    for (int i = 0; i < 600 && pids.size() < 3; ++i) {
        std::this_thread::sleep_for(50ms);
        std::ifstream in(scratch / "tool.pid");
        pids.clear();
        for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
    }
    ASSERT_EQ(pids.size(), 3u) << readAll(scratch / "out");
    kill(program, SIGKILL);
    EXPECT_EQ(finish(program), -1);
    // The tool, a child in its group and one that left it with setsid.
    for (const pid_t pid : pids) {
        for (int i = 0; i < 100 && !isGone(pid); ++i) std::this_thread::sleep_for(50ms);
        EXPECT_TRUE(isGone(pid)) << pid << " outlived the program";
        if (!isGone(pid)) kill(pid, SIGKILL);
    }
}

} // namespace
} // namespace zantiva
