#include "Model/BatteryHealthResult.h"
#include "Model/DisplayTestResult.h"
#include "Model/KeyboardTestResult.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;

namespace {

std::vector<std::string> keys(std::size_t n, const std::string& key = "K") { return std::vector<std::string>(n, key); }

const BatteryHealthResult filledBattery{true, 5000, 4100, 82.0, 7.5, 64, false, false, 512,
                                        {"Battery.Issue.Cycles", "Battery.Issue.Health"}};

} // namespace

TEST(CheckResults, ScoresDeductPerFindingAndStopAtZero) {
    EXPECT_EQ(deductionScore(filledBattery), 80);
    EXPECT_EQ(deductionScore(DisplayTestResult{.issues = keys(3)}), 70);
    EXPECT_EQ(deductionScore(DisplayTestResult{.issues = keys(11)}), 0);

    const KeyboardTestResult keyboard{.totalKeysChecked = 78, .missingKeys = keys(5), .doublePressedKeys = keys(3)};
    EXPECT_EQ(keyboard.deductionCount(), 8);
    EXPECT_EQ(deductionScore(keyboard), 84);
    EXPECT_EQ(deductionScore(KeyboardTestResult{.missingKeys = keys(50)}), 0);
}

TEST(CheckResults, BatteryNeedsServiceBelowHalfHealth) {
    struct Case {
        double health;
        bool needsService;
    };
    for (const auto& c : {Case{50, false}, Case{0, false}, Case{49.9, true}, Case{100, false}, Case{1, true}})
        EXPECT_EQ(BatteryHealthResult{.healthPercent = c.health}.needsService(), c.needsService) << c.health;
}

TEST(CheckResults, JsonIsStrict) {
    test::expectRoundTrip(BatteryHealthResult{});
    test::expectRoundTrip(filledBattery);
    test::expectStrictKeys(filledBattery);
    test::expectMistypedKeyFails(filledBattery, "issues", "Battery.Issue.Cycles");
    test::expectMistypedKeyFails(filledBattery, "cycleCount", "512");
    EXPECT_EQ(BatteryHealthResult{}.toJson()["issues"], json::Json::array());
    // Supplies that couldn't be listed keep their reason; a file without it (older, or read) loads.
    const BatteryHealthResult unread{.listingError = "Too many open files"};
    test::expectRoundTrip(unread);
    test::expectStrictKeys(unread, {"listingError"});
    EXPECT_FALSE(filledBattery.toJson().contains("listingError"));

    const DisplayTestResult display{.issues = {"Display.Issue.Bleed"}, .measuredRefreshRateHz = 119.8};
    test::expectRoundTrip(display);
    test::expectRoundTrip(DisplayTestResult{});
    test::expectStrictKeys(display, {"measuredRefreshRateHz"});
    EXPECT_FALSE(DisplayTestResult{}.toJson().contains("measuredRefreshRateHz"));

    const KeyboardTestResult keyboard{.totalKeysChecked = 78, .missingKeys = {"F5"}, .doublePressedKeys = {"A", "B"}};
    test::expectRoundTrip(keyboard);
    test::expectStrictKeys(keyboard);
    test::expectMistypedKeyFails(keyboard, "missingKeys", json::Json::array({1}));
}
