#include <gtest/gtest.h>

#include <QProcess>
#include <array>
#include <cstdlib>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "CLI/BenchmarkCLI.h"
#include "Platform/BoundedProcess.h"
#include "Platform/DescriptorIO.h"
#include "../Support/FullPipe.h"

namespace zantiva {
namespace {

std::vector<std::string> ran;

int first(const CommandLine&, CliContext& c) {
    ran.push_back("first");
    c.out << "one\n";
    return 0;
}
int second(const CommandLine&, CliContext&) {
    ran.push_back("second");
    return 0;
}
int throwing(const CommandLine&, CliContext&) { throw std::runtime_error("disk went away"); }

struct Dispatch : ::testing::Test {
    std::ostringstream out, err;
    Loc loc{AppLanguage::english};
    CliContext context{out, err, false, loc};
    void SetUp() override { ran.clear(); }
};

constexpr CliOption bOptions[] = {{"--n", "N"}, {"--flag"}};
constexpr std::array<CliMode, 3> table{{
    {{"--a"}, {}, first},
    {{"--b", "folder", true}, bOptions, second},
    {{"--boom"}, {}, throwing},
}};

TEST_F(Dispatch, RunsTheFirstModeInTableOrderOrRefusesAWordItDoesNotTake) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<int> status;
        std::string ran, out;
    };
    const Case cases[] = {
        {{"--b", "x", "--a"}, 0, "first", "one\n"}, // x is --b's folder; --b yields to --a
        {{"/mnt", "--flag", "--n", "3", "--b"}, 1, "", "failed: unexpected argument /mnt\n"},
        {{"--b", "/mnt", "--flag", "--n", "3"}, 0, "second", ""},
        {{"--b", "--n"}, 0, "second", ""}, // a missing value is the mode's to refuse
        {{"--b", "--flag", "/mnt/usb"}, 1, "", "failed: unexpected argument /mnt/usb\n"},
        {{"--b", "--n", "3", "4"}, 1, "", "failed: unexpected argument 4\n"},
        {{"--b", "--quik"}, 1, "", "failed: unknown option --quik\n"},
        {{"--a", "--flag"}, 1, "", "failed: unknown option --flag\n"}, // another mode's option
        {{"--a", "-x"}, 1, "", "failed: unknown option -x\n"},
        {{"--a", "-"}, 1, "", "failed: unexpected argument -\n"},
        {{"--quik"}, 1, "", "failed: unknown option --quik\n"},
        {{"--n", "3"}, 1, "", "failed: unknown option --n\n"},
        {{"file"}, 1, "", "failed: unexpected argument file\n"},
        {{}, std::nullopt, "", ""},
        {{"--boom"}, 1, "", "failed: disk went away\n"},
    };
    for (const auto& c : cases) {
        ran.clear();
        out.str("");
        std::string words;
        for (const auto& w : c.arguments) words += w + " ";
        EXPECT_EQ(runBenchmarkCommandLine(CommandLine(c.arguments), context, table), c.status) << words;
        EXPECT_EQ(ran, c.ran.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.ran}) << words;
        EXPECT_EQ(out.str(), c.out) << words;
    }
}

TEST_F(Dispatch, UsageShowsTheHardwareDumpThenEachModeWithItsOptions) {
    EXPECT_EQ(usageLine(table), "usage: zantiva-diagnostics [--help | --version | --dump-hardware | --a | --b [folder] [--n N] [--flag] | --boom]");
}

// ---- the real program ----

struct Outcome {
    int status;
    std::string out;
};

Outcome runProgram(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), ZANTIVA_PROGRAM);
    const auto result = runBoundedProcess(arguments, std::chrono::seconds(60));
    if (!result) return {-1, "the program did not start"};
    return {result->exitStatus, result->output};
}

TEST(Program, WithoutADisplayTheWindowsLaunchPrintsUsageAndFails) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
    const Outcome link = runProgram({"zantiva://auth?code=1"});
    EXPECT_EQ(link.status, 1);
    const Outcome o = runProgram({});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, usageLine() + "\nfailed: no display to open the window on\n");
    EXPECT_EQ(link.out, o.out);
    EXPECT_EQ(o.out.rfind("usage: zantiva-diagnostics [--help | --version | --dump-hardware | --smart | ", 0), 0u);
    EXPECT_NE(o.out.find(" | --ssd [folder] [--quick] | --cpu [--runs N] | "), std::string::npos);
}

// Refused by the dispatch or by the mode it reached: status 1 either way.
TEST(Program, RefusesWordsAModeDoesNotTakeWithStatusOne) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--ssd", "--quick", "/mnt/usb"}, "failed: unexpected argument /mnt/usb\n"},
        {{"--runs", "zero", "--cpu"}, "failed: --runs needs a whole number from 1 to 1000\n"},
        {{"--gpu", "--bands", "0"}, "failed: --bands needs a whole number from 1\n"},
    };
    for (const auto& [arguments, failure] : cases) {
        const Outcome o = runProgram(arguments);
        EXPECT_EQ(o.status, 1) << failure;
        EXPECT_EQ(o.out, failure);
    }
}

// Asking for help or the version is an answer, not a usage error, wherever the word stands.
TEST(Program, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
    for (const char* help : {"--help", "-h"}) {
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{help}, {"--ssd", help}}) {
            const Outcome o = runProgram(arguments);
            EXPECT_EQ(o.status, 0) << help;
            EXPECT_EQ(o.out, usageLine() + "\n") << help;
        }
    }
    const Outcome version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_match(version.out, std::regex("zantiva-diagnostics [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

TEST(Program, RamModePrintsTheResultLines) {
    const Outcome o = runProgram({"--ram"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("testedBytes: 536870912\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("errorsDetected: 0\n"), std::string::npos);
}

// Output that could not be written whole is a failure whatever the mode gave, said where it
// can still be read: a redirected run on a full disk must not pass for a whole one.
TEST(Program, AModeWhoseOutputCannotBeWrittenSaysSoOnStandardErrorWithStatusOne) {
    for (const char* mode :
         {"--version", "--help", "--dump-hardware", "--smart", "--check-resources", "--external-scan", "--ram"}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(ZANTIVA_PROGRAM), {QString::fromLatin1(mode)});
        ASSERT_TRUE(process.waitForFinished(180000)) << mode;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << mode;
        EXPECT_EQ(process.exitCode(), 1) << mode;
        const std::string err = process.readAllStandardError().toStdString();
        EXPECT_TRUE(err.ends_with("failed: Couldn't write all the results to standard output.\n")) << mode << ": " << err;
    }
}

// A standard output that another program made non-blocking, full for a moment: the program
// waits until it takes the rest, and its status stays its own.
TEST(Program, ANonBlockingStandardOutputFullForAMomentTakesEveryLine) {
    testing::FullPipe out;
    std::vector<std::string> words{ZANTIVA_PROGRAM, "--help"};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out.writeEnd.get(), STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    out.writeEnd.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string read = readUpTo(out.readEnd.get(), 1 << 24).value_or("");
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(read.substr(std::min(read.size(), out.filling.size())), usageLine() + "\n");
}

} // namespace
} // namespace zantiva
