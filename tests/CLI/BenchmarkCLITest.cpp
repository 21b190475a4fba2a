#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <stdexcept>

#include "CLI/BenchmarkCLI.h"
#include "Platform/BoundedProcess.h"

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

struct Dispatch : testing::Test {
    std::ostringstream out, err;
    Loc loc{AppLanguage::english};
    CliContext context{out, err, false, loc};
    void SetUp() override { ran.clear(); }
};

constexpr std::array<CliMode, 3> table{{
    {"--a", "--a", first},
    {"--b", "--b [--n N]", second},
    {"--boom", "--boom", throwing},
}};

TEST_F(Dispatch, FirstModeInTableOrderRunsWhereverItsOptionStands) {
    EXPECT_EQ(runBenchmarkCommandLine(CommandLine({"--b", "x", "--a"}), context, table), 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"first"}));
    EXPECT_EQ(out.str(), "one\n");
}

TEST_F(Dispatch, NoModeLeavesTheArgumentsAlone) {
    EXPECT_FALSE(runBenchmarkCommandLine(CommandLine({"--unknown", "file"}), context, table));
    EXPECT_FALSE(runBenchmarkCommandLine(CommandLine({}), context, table));
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(out.str().empty());
}

TEST_F(Dispatch, EscapingErrorBecomesFailedLineAndStatusOne) {
    EXPECT_EQ(runBenchmarkCommandLine(CommandLine({"--boom"}), context, table), 1);
    EXPECT_EQ(out.str(), "failed: disk went away\n");
}

TEST_F(Dispatch, UsageNamesEveryMode) {
    EXPECT_EQ(usageLine(table), "usage: zantiva-diagnostics [--a | --b [--n N] | --boom]");
}

TEST(BenchmarkModes, FollowTheProgramsFixedOrder) {
    const std::vector<std::string> order = {"--smart",       "--geekbench-read", "--check-resources",
                                            "--external-run", "--external-scan",  "--check-update",
                                            "--ram",          "--ssd",            "--cpu",
                                            "--gpu"};
    std::size_t at = 0;
    for (const CliMode& mode : benchmarkModes()) {
        const auto it = std::find(order.begin() + static_cast<long>(at), order.end(), mode.option);
        ASSERT_NE(it, order.end()) << mode.option << " is out of order or unknown";
        at = static_cast<std::size_t>(it - order.begin()) + 1;
    }
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

TEST(Program, WithoutModePrintsUsageAndSucceeds) {
    const Outcome o = runProgram({});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: zantiva-diagnostics [", 0), 0u);
    EXPECT_NE(o.out.find("--cpu [--runs N]"), std::string::npos);
}

TEST(Program, BadRunCountFailsWithStatusOne) {
    const Outcome o = runProgram({"--runs", "zero", "--cpu"});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "failed: --runs needs a whole number from 1 to 1000\n");
}

TEST(Program, RamModePrintsTheResultLines) {
    const Outcome o = runProgram({"--ram"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("testedBytes: 536870912\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("errorsDetected: 0\n"), std::string::npos);
    EXPECT_NE(o.out.find("averageWriteThroughputMBps: "), std::string::npos);
    EXPECT_NE(o.out.find("averageReadThroughputMBps: "), std::string::npos);
    EXPECT_NE(o.out.find("durationSeconds: "), std::string::npos);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 5);
}

} // namespace
} // namespace zantiva
