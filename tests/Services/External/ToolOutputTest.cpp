// The outside tools' lines as a hostile or broken tool may print them.

#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "External/GeekbenchOutput.h"
#include "External/ToolOutputText.h"
#include "External/ToolProgress.h"

namespace zantiva {
namespace {

const std::string manyDigits(100000, '7');

TEST(ToolOutputTest, EndlessDigitsNeitherCrashNorMakeAResultAddress) {
    using GeekbenchOutput::resultURL;
    const std::string page = "https://browser.geekbench.com/v6/cpu/";
    EXPECT_FALSE(resultURL(page + manyDigits));
    EXPECT_FALSE(resultURL("https://browser.geekbench.com/v" + manyDigits + "/cpu/42"));
    // A damaged address does not hide a good one after it; the first good one counts.
    EXPECT_EQ(resultURL(page + manyDigits + " " + page + "42 " + page + "43"), page + "42");
    EXPECT_EQ(resultURL("https://browser.geekbench.com/v6/gpu/9x"), "https://browser.geekbench.com/v6/gpu/9");
    EXPECT_FALSE(resultURL("https://browser.geekbench.com/v/cpu/42"));
    EXPECT_FALSE(resultURL("https://browser.geekbench.com/v6/cpu/"));
}

TEST(ToolOutputTest, ProgressReadsTheFirstPercentAndSurvivesEndlessDigits) {
    auto fraction = [](const std::string& line) { return toolProgress(line, false).value_or(ExternalBenchmarkProgress{}).fraction; };
    EXPECT_EQ(fraction("Single-Core 42%"), 0.42);
    EXPECT_EQ(fraction("done 12.5 %, then 80%"), 0.125);
    EXPECT_EQ(fraction("100%"), 1.0);
    EXPECT_EQ(fraction("x12% 1234% 101%"), std::nullopt);
    EXPECT_EQ(fraction("1." + manyDigits + "%"), std::nullopt);
    EXPECT_EQ(fraction(manyDigits + "%"), std::nullopt);
    EXPECT_EQ(fraction("5" + std::string(100000, ' ') + "%"), 0.05);

    const auto running = toolProgress("  Running AES-XTS  ", true);
    ASSERT_TRUE(running);
    EXPECT_EQ(running->status, "Running AES-XTS");
    EXPECT_TRUE(running->isIndeterminate);
    EXPECT_FALSE(toolProgress("RunningOut", false));
    EXPECT_FALSE(toolProgress("50%", true)); // Cinebench reports no fraction
}

TEST(ToolOutputTest, TheToolsWordsAreFoundInAnyCaseAnywhereInTheLine) {
    struct Case {
        std::string_view line;
        bool unsupported, uploadFailure, uploadStart;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"UNSUPPORTED OPERATING SYSTEM", true, false, false},
             {"uuuu unsUpported  system; Unsupported System", true, false, false},
             {"unsupported sys", false, false, false},
             {"  Uploading results", false, false, true},
             {"Upload FAILED", false, true, false},
             {"error while uploading", false, true, false},
             {"fail to send", false, false, false},
             {"Uploadin", false, false, false},
         }) {
        EXPECT_EQ(tooltext::isUnsupportedSystem(c.line), c.unsupported) << c.line;
        EXPECT_EQ(GeekbenchOutput::isUploadFailure(c.line), c.uploadFailure) << c.line;
        EXPECT_EQ(GeekbenchOutput::isUploadStart(c.line), c.uploadStart) << c.line;
    }
    EXPECT_EQ(GeekbenchOutput::printedScore("Single-Core SCORE 2345"),
              (std::pair{std::string("Single-Core SCORE"), 2345.0}));
    EXPECT_FALSE(GeekbenchOutput::printedScore("Single-Core Scorer 2345"));
}

} // namespace
} // namespace zantiva
