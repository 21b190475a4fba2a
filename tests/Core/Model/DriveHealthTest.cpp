#include "Model/DriveHealthReport.h"

#include <gtest/gtest.h>

#include "RecordJsonChecks.h"

using namespace zantiva;
using namespace std::chrono;

namespace {

DriveHealthInfo drive(std::string id, DriveHealthStatus status) {
    DriveHealthInfo d(std::move(id));
    d.status = status;
    return d;
}

DriveHealthInfo fullyRead() {
    DriveHealthInfo d("nvme0n1");
    d.model = "Samsung SSD 990 PRO 2TB";
    d.busType = "PCI-Express";
    d.mediaType = "SSD";
    d.sizeGB = 2000.398934016;
    d.status = DriveHealthStatus::caution;
    d.issues = {DriveHealthIssue::mediaErrors, DriveHealthIssue::wornOut};
    d.percentageUsed = 101;
    d.availableSparePercent = 100;
    d.availableSpareThresholdPercent = 10;
    d.temperatureCelsius = 41;
    d.powerOnHours = 5321;
    d.mediaErrors = 2;
    d.unsafeShutdowns = 37;
    d.dataWrittenTB = 48.3;
    d.criticalWarning = 0;
    return d;
}

} // namespace

TEST(DriveHealthInfo, ScoreFollowsStatusOnly) {
    auto unknownWithReadings = fullyRead();
    unknownWithReadings.status = DriveHealthStatus::unknown;
    EXPECT_EQ(unknownWithReadings.score(), std::nullopt);
    EXPECT_EQ(drive("a", DriveHealthStatus::good).score(), 100.0);
    EXPECT_EQ(drive("a", DriveHealthStatus::caution).score(), 50.0);
    EXPECT_EQ(drive("a", DriveHealthStatus::bad).score(), 0.0);
}

TEST(DriveHealthReport, WorstDriveDecides) {
    using S = DriveHealthStatus;
    struct Case {
        std::vector<S> statuses;
        S overall;
        std::optional<double> score;
    };
    const Case cases[] = {
        {{}, S::unknown, std::nullopt},
        {{S::unknown, S::unknown}, S::unknown, std::nullopt},
        {{S::unknown, S::good}, S::good, 100.0},
        {{S::good, S::caution}, S::caution, 50.0},
        {{S::good, S::caution, S::bad}, S::bad, 0.0},
        {{S::bad, S::unknown}, S::bad, 0.0},
    };
    for (const auto& c : cases) {
        DriveHealthReport r;
        for (std::size_t i = 0; i < c.statuses.size(); ++i) r.drives.push_back(drive("d" + std::to_string(i), c.statuses[i]));
        EXPECT_EQ(r.overall(), c.overall) << c.statuses.size();
        EXPECT_EQ(r.score(), c.score) << c.statuses.size();
    }
}

TEST(DriveHealthInfo, JsonIsStrict) {
    const auto d = fullyRead();
    const auto j = d.toJson();
    EXPECT_EQ(j["status"], 2);
    EXPECT_EQ(j["issues"], (json::Json{"mediaErrors", "wornOut"}));
    test::expectRoundTrip(d);
    test::expectStrictKeys(d, {"percentageUsed", "availableSparePercent", "availableSpareThresholdPercent",
                               "temperatureCelsius", "powerOnHours", "mediaErrors", "unsafeShutdowns",
                               "dataWrittenTB", "criticalWarning"});
    test::expectMistypedKeyFails(d, "status", 4);
    test::expectMistypedKeyFails(d, "status", "good");
    test::expectMistypedKeyFails(d, "issues", json::Json{"wornOut", "melted"});
    test::expectMistypedKeyFails(d, "percentageUsed", 1.5);

    // A stored list keeps its order and duplicates as written.
    auto stored = j;
    stored["issues"] = {"wornOut", "backupFailed", "wornOut"};
    EXPECT_EQ(DriveHealthInfo::fromJson(stored).issues,
              (std::vector{DriveHealthIssue::wornOut, DriveHealthIssue::backupFailed, DriveHealthIssue::wornOut}));
}

TEST(DriveHealthReport, JsonIsStrict) {
    const DriveHealthReport r{{fullyRead(), drive("sda", DriveHealthStatus::good)},
                              sys_days{2026y / December / 6} + 21h + 3min};
    EXPECT_EQ(r.toJson()["checkedAt"], "2026-12-06T21:03:00Z");
    test::expectRoundTrip(r);
    test::expectStrictKeys(r);
    auto noDrives = r.toJson();
    noDrives["drives"] = json::Json::array();
    EXPECT_TRUE(DriveHealthReport::fromJson(noDrives).drives.empty());
    auto brokenDrive = r.toJson();
    brokenDrive["drives"][1].erase("issues");
    EXPECT_THROW(DriveHealthReport::fromJson(brokenDrive), json::DecodeError);
}

TEST(DriveHealthReport, AListOfDrivesThatCouldntBeReadIsStoredWithItsReason) {
    const DriveHealthReport unread{{}, sys_days{2026y / December / 6} + 21h, "Too many open files"};
    EXPECT_EQ(unread.toJson()["listingError"], "Too many open files");
    test::expectRoundTrip(unread);
    test::expectStrictKeys(unread, {"listingError"});
    EXPECT_EQ(unread.overall(), DriveHealthStatus::unknown);
    EXPECT_EQ(unread.score(), std::nullopt);
    // A list that was read stores no such key, as files before it have none.
    EXPECT_FALSE(DriveHealthReport{}.toJson().contains("listingError"));
}

TEST(DriveHealthInfo, TheLackOfRightsIsStoredOnlyWhenItIsTheReason) {
    auto refused = drive("nvme0n1", DriveHealthStatus::unknown);
    refused.unreadReason = DriveUnreadReason::rightsNotGranted;
    // Under the key files have had it under since before the other reasons.
    EXPECT_EQ(refused.toJson()["needsAdministratorRights"], true);
    EXPECT_FALSE(refused.toJson().contains("unreadReason"));
    test::expectRoundTrip(refused);
    test::expectMistypedKeyFails(refused, "needsAdministratorRights", "yes");

    for (const auto reason : {DriveUnreadReason::nobodyCouldBeAsked, DriveUnreadReason::readFailed,
                              DriveUnreadReason::refusedHere}) {
        auto unread = drive("nvme0n1", DriveHealthStatus::unknown);
        unread.unreadReason = reason;
        EXPECT_EQ(unread.toJson()["unreadReason"], rawValue(reason));
        EXPECT_FALSE(unread.toJson().contains("needsAdministratorRights"));
        test::expectRoundTrip(unread);
    }
    auto both = refused.toJson();
    both["unreadReason"] = "readFailed";
    EXPECT_THROW(DriveHealthInfo::fromJson(both), json::DecodeError);
    auto unknownReason = refused.toJson();
    unknownReason.erase("needsAdministratorRights");
    unknownReason["unreadReason"] = "forgotten";
    EXPECT_THROW(DriveHealthInfo::fromJson(unknownReason), json::DecodeError);

    // Files written before the flag existed, and drives without it, read and write as before.
    const auto plain = drive("sda", DriveHealthStatus::unknown);
    EXPECT_FALSE(plain.toJson().contains("needsAdministratorRights"));
    EXPECT_FALSE(plain.toJson().contains("unreadReason"));
    EXPECT_FALSE(DriveHealthInfo::fromJson(plain.toJson()).unreadReason);
}
