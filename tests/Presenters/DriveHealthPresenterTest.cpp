#include <gtest/gtest.h>

#include <cmath>

#include "Localization/Loc.h"
#include "Presenters/DriveHealthPresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

DriveHealthInfo drive(DriveHealthStatus status) {
    DriveHealthInfo info("nvme0n1");
    info.model = "Samsung SSD 980 PRO 1TB";
    info.status = status;
    return info;
}

} // namespace

TEST(DriveHealthPresenter, StatusPills) {
    using enum PaletteColor;
    const struct {
        DriveHealthStatus status;
        BadgeValue badge;
    } rows[] = {
        {DriveHealthStatus::unknown, {english["DriveHealth.Status.Unknown"], card, text}},
        {DriveHealthStatus::good, {english["DriveHealth.Status.Good"], secondary, outline}},
        {DriveHealthStatus::caution, {english["DriveHealth.Status.Caution"], tertiary, outline}},
        {DriveHealthStatus::bad, {english["DriveHealth.Status.Bad"], primary, outline}},
    };
    for (const auto& row : rows) EXPECT_EQ(DriveHealthPresenter::statusBadge(row.status, english), row.badge);
}

TEST(DriveHealthPresenter, FactsInOrderOnlyForWhatTheDriveReported) {
    DriveHealthInfo all = drive(DriveHealthStatus::good);
    all.percentageUsed = 3;
    all.availableSparePercent = 100;
    all.temperatureCelsius = 41;
    all.powerOnHours = 5123;
    all.dataWrittenTB = 38.4;
    all.mediaErrors = 1;
    EXPECT_EQ(DriveHealthPresenter::facts(all, english),
              (std::vector<std::string>{english.f("DriveHealth.Life", 97), english.f("DriveHealth.Spare", 100),
                                        english.f("DriveHealth.Temp", 41), english.f("DriveHealth.Hours", 5123),
                                        english.f("DriveHealth.Written", "38.4"),
                                        english.f("DriveHealth.MediaErrors", 1)}));

    const struct {
        std::optional<std::int64_t> percentageUsed;
        std::optional<std::int64_t> mediaErrors;
        std::optional<double> written;
        std::vector<std::string> facts;
    } rows[] = {
        {130, std::nullopt, std::nullopt, {english.f("DriveHealth.Life", 0)}},
        {100, 0, std::nullopt, {english.f("DriveHealth.Life", 0)}}, // no errors: no errors item
        {std::nullopt, std::nullopt, std::nan(""), {english.f("DriveHealth.Written", "\u2014")}},
        {std::nullopt, std::nullopt, std::nullopt, {}},
    };
    for (const auto& row : rows) {
        DriveHealthInfo info = drive(DriveHealthStatus::good);
        info.percentageUsed = row.percentageUsed;
        info.mediaErrors = row.mediaErrors;
        info.dataWrittenTB = row.written;
        EXPECT_EQ(DriveHealthPresenter::facts(info, english), row.facts);
    }
}

TEST(DriveHealthPresenter, DrivesWithTheirSummaryAndIssues) {
    DriveHealthInfo silent = drive(DriveHealthStatus::unknown);
    silent.model.clear();
    silent.id = "sdb";
    silent.temperatureCelsius = 35; // an unknown drive shows no facts, whatever it read
    silent.issues = {DriveHealthIssue::systemUnhealthy, DriveHealthIssue::systemWarning};
    DriveHealthInfo quiet = drive(DriveHealthStatus::caution);
    DriveHealthInfo known = drive(DriveHealthStatus::good);
    known.percentageUsed = 3;
    known.temperatureCelsius = 41;

    const DriveHealthView view = DriveHealthPresenter::present({.drives = {silent, quiet, known}, .checkedAt = {}}, english);
    EXPECT_EQ(view.title, english["DriveHealth.Title"]);
    ASSERT_EQ(view.drives.size(), 3u);
    EXPECT_EQ(view.drives[0].name, "sdb");
    EXPECT_EQ(view.drives[0].summary, english["DriveHealth.NoData"]);
    EXPECT_EQ(view.drives[0].issues,
              (std::vector<ColoredLine>{
                  {"\u2022 " + english["DriveHealth.Issue.SystemUnhealthy"], PaletteColor::primary},
                  {"\u2022 " + english["DriveHealth.Issue.SystemWarning"], PaletteColor::tertiary}}));
    EXPECT_EQ(view.drives[1].summary, "");
    EXPECT_EQ(view.drives[2].name, "Samsung SSD 980 PRO 1TB");
    EXPECT_EQ(view.drives[2].summary, english.f("DriveHealth.Life", 97) + "  \u00B7  " + english.f("DriveHealth.Temp", 41));

    const Loc persian(AppLanguage::persian);
    EXPECT_EQ(DriveHealthPresenter::present({.drives = {known}, .checkedAt = {}}, persian).drives[0].summary,
              persian.f("DriveHealth.Life", 97) + "  \u00B7  " + persian.f("DriveHealth.Temp", 41));
}

TEST(DriveHealthPresenter, AListOfDrivesThatCouldntBeReadSaysSoInsteadOfShowingNone) {
    const DriveHealthReport unread{.drives = {}, .checkedAt = {}, .listingError = "Too many open files"};
    EXPECT_TRUE(DriveHealthPresenter::hasContent(unread));
    EXPECT_FALSE(DriveHealthPresenter::hasContent(DriveHealthReport{}));
    const Loc persian(AppLanguage::persian);
    for (const Loc* loc : {&english, &persian}) {
        const auto view = DriveHealthPresenter::present(unread, *loc);
        EXPECT_TRUE(view.drives.empty());
        EXPECT_EQ(view.unread, loc->f("DriveHealth.ListUnread", "Too many open files"));
    }
    EXPECT_EQ(DriveHealthPresenter::present({.drives = {drive(DriveHealthStatus::good)}, .checkedAt = {}}, english).unread,
              "");
}

TEST(DriveHealthPresenter, AnUnknownDriveSaysWhyItIsUnknown) {
    DriveHealthInfo refused = drive(DriveHealthStatus::unknown);
    refused.unreadReason = DriveUnreadReason::rightsNotGranted;
    DriveHealthInfo silent = drive(DriveHealthStatus::unknown);
    // Read with the rights after all: the reason never hides a verdict.
    DriveHealthInfo read = drive(DriveHealthStatus::good);
    read.unreadReason = DriveUnreadReason::rightsNotGranted;
    read.percentageUsed = 3;
    const std::vector<std::pair<DriveUnreadReason, std::string>> others{
        {DriveUnreadReason::nobodyCouldBeAsked, "DriveHealth.NobodyToAsk"},
        {DriveUnreadReason::readFailed, "DriveHealth.ReadFailed"},
        {DriveUnreadReason::refusedHere, "DriveHealth.RefusedHere"},
    };

    const Loc persian(AppLanguage::persian);
    for (const Loc* loc : {&english, &persian}) {
        const auto view = DriveHealthPresenter::present({.drives = {refused, silent, read}, .checkedAt = {}}, *loc);
        ASSERT_EQ(view.drives.size(), 3u);
        EXPECT_EQ(view.drives[0].summary, (*loc)["DriveHealth.NeedsRights"]);
        EXPECT_EQ(view.drives[0].status, DriveHealthPresenter::statusBadge(DriveHealthStatus::unknown, *loc));
        EXPECT_EQ(view.drives[1].summary, (*loc)["DriveHealth.NoData"]);
        EXPECT_EQ(view.drives[2].summary, loc->f("DriveHealth.Life", 97));
        // Each other reason has words of its own.
        for (const auto& [reason, key] : others) {
            DriveHealthInfo unread = drive(DriveHealthStatus::unknown);
            unread.unreadReason = reason;
            EXPECT_EQ(DriveHealthPresenter::present({.drives = {unread}, .checkedAt = {}}, *loc).drives[0].summary,
                      (*loc)[key]);
        }
    }
    // The reasons read as plain speech: the rights weren't given (not a legal grant), and the
    // system, not some "here", refuses the read.
    EXPECT_NE(persian["DriveHealth.NeedsRights"].find("ولی این دسترسی داده نشد؛"), std::string::npos);
    EXPECT_NE(persian["DriveHealth.NobodyToAsk"].find("ولی راهی برای درخواست آن از شما نبود"), std::string::npos);
    EXPECT_EQ(english["DriveHealth.RefusedHere"].find(" here"), std::string::npos);
    EXPECT_NE(english["DriveHealth.RefusedHere"].find("This system doesn't allow"), std::string::npos);
    EXPECT_NE(persian["DriveHealth.RefusedHere"].find("این سیستم"), std::string::npos);
}
