#include <gtest/gtest.h>

#include "CLI/CommandLine.h"
#include "CLI/RunCount.h"

namespace zantiva {
namespace {

TEST(CommandLine, OptionsStandAnywhereAndTakeTheNextWordAsValue) {
    const CommandLine line({"/tmp", "--quick", "--ssd", "/mnt/data", "--runs", "3", "--gpu", "--cpu", "--preview"});
    EXPECT_TRUE(line.has("--ssd"));
    EXPECT_TRUE(line.has("--quick"));
    EXPECT_FALSE(line.has("--smart"));
    EXPECT_FALSE(line.has("--ss"));  // whole words only
    EXPECT_EQ(line.value("--ssd"), "/mnt/data");
    EXPECT_EQ(line.value("--runs"), "3");
    // No value when another option or nothing follows, or the option is not there.
    EXPECT_FALSE(line.value("--gpu"));
    EXPECT_FALSE(line.value("--preview"));
    EXPECT_FALSE(line.value("--smart"));
    // The first appearance counts.
    EXPECT_EQ(CommandLine({"--runs", "2", "--runs", "5"}).value("--runs"), "2");
}

TEST(RunCount, IsAWholeNumberFromOneToAThousand) {
    EXPECT_EQ(runCount(CommandLine({"--cpu"})), 1);
    EXPECT_EQ(runCount(CommandLine({"--cpu", "--runs", "3"})), 3);
    EXPECT_EQ(runCount(CommandLine({"--runs", "1000", "--cpu"})), 1000);
    for (const char* bad : {"0", "-1", "x", "2x", "1.5", "", "1001", "99999999999"}) {
        EXPECT_FALSE(runCount(CommandLine({"--cpu", "--runs", bad}))) << bad;
    }
    EXPECT_FALSE(runCount(CommandLine({"--cpu", "--runs"})));
}

} // namespace
} // namespace zantiva
