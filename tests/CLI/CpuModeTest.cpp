#include <gtest/gtest.h>

#include <sstream>

#include "../Support/RecordingActivity.h"
#include "CLI/CpuMode.h"

namespace zantiva {
namespace {

TEST(CpuMode, PrintsEachRunAndKeepsTheMachineAwakeThroughTheContext) {
    std::ostringstream out, err;
    const Loc loc(AppLanguage::english);
    auto activity = std::make_shared<testing::RecordingActivity>();
    CliContext context{out, err, false, loc, 0, activity};
    CPUWorkload tiny = CPUWorkload::standard();
    tiny.multiCoreUnits = 8;
    tiny.singleCoreUnits = 2;

    EXPECT_EQ(runCpuMode(CommandLine({"--cpu", "--runs", "2"}), context, tiny), 0);
    const std::string lines = out.str();
    EXPECT_EQ(lines.rfind("run: 1\n", 0), 0u) << lines;
    const auto second = lines.find("\nrun: 2\n");
    ASSERT_NE(second, std::string::npos);
    EXPECT_NE(lines.find("resultsVerified: true\n"), std::string::npos);
    EXPECT_NE(lines.find("resultsVerified: true\n", second), std::string::npos);
    EXPECT_EQ(lines.find("sustainedScore"), std::string::npos); // no sustained phase here
    EXPECT_EQ(activity->reasons, (std::vector<std::string>{"Zantiva CPU benchmark", "Zantiva CPU benchmark"}));
    EXPECT_EQ(activity->held.load(), 0);
}

} // namespace
} // namespace zantiva
