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
        {DriveHealthStatus::unknown, {"No data", card, text}},
        {DriveHealthStatus::good, {"Healthy", secondary, outline}},
        {DriveHealthStatus::caution, {"Caution", tertiary, outline}},
        {DriveHealthStatus::bad, {"Failing", primary, outline}},
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
              (std::vector<std::string>{"Life left 97%", "Spare 100%", "41\u00B0C", "5123 h powered on",
                                        "38.4 TB written", "1 media errors"}));

    const struct {
        std::optional<std::int64_t> percentageUsed;
        std::optional<std::int64_t> mediaErrors;
        std::optional<double> written;
        std::vector<std::string> facts;
    } rows[] = {
        {130, std::nullopt, std::nullopt, {"Life left 0%"}},
        {100, 0, std::nullopt, {"Life left 0%"}}, // no errors: no errors item
        {std::nullopt, std::nullopt, std::nan(""), {"\u2014 TB written"}},
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
    EXPECT_EQ(view.title, "SSD / DRIVE HEALTH (SMART)");
    ASSERT_EQ(view.drives.size(), 3u);
    EXPECT_EQ(view.drives[0].name, "sdb");
    EXPECT_EQ(view.drives[0].summary, english["DriveHealth.NoData"]);
    EXPECT_EQ(view.drives[0].issues,
              (std::vector<ColoredLine>{{"\u2022 The system reports this drive as failing", PaletteColor::primary},
                                        {"\u2022 The system reports a warning for this drive", PaletteColor::tertiary}}));
    EXPECT_EQ(view.drives[1].summary, "");
    EXPECT_EQ(view.drives[2].name, "Samsung SSD 980 PRO 1TB");
    EXPECT_EQ(view.drives[2].summary, "Life left 97%  \u00B7  41\u00B0C");

    const Loc persian(AppLanguage::persian);
    EXPECT_EQ(DriveHealthPresenter::present({.drives = {known}, .checkedAt = {}}, persian).drives[0].summary,
              persian.f("DriveHealth.Life", 97) + "  \u00B7  " + persian.f("DriveHealth.Temp", 41));
}
