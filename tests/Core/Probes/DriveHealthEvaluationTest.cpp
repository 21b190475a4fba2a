#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <vector>

#include "Probes/DriveHealthReader.h"

namespace zantiva {
namespace {

using namespace DriveHealthReader;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Issue = DriveHealthIssue;
using Status = DriveHealthStatus;

std::vector<std::uint8_t> healthLog(std::size_t size = nvmeHealthLogBytes) { return std::vector<std::uint8_t>(size, 0); }

void putCounter(std::vector<std::uint8_t>& log, std::size_t offset, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) log[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(NvmeHealthLog, LogsShorterThan192BytesAreNotUsed) {
    DriveHealthInfo drive("nvme0n1");
    auto shortLog = healthLog(191);
    shortLog[5] = 40;
    EXPECT_FALSE(parseNVMeHealthLog(shortLog, drive));
    EXPECT_EQ(drive, DriveHealthInfo("nvme0n1"));
    auto log = healthLog(192);
    log[5] = 40;
    EXPECT_TRUE(parseNVMeHealthLog(log, drive));
    EXPECT_EQ(drive.percentageUsed, 40);
}

TEST(NvmeHealthLog, FieldsAtTheirOffsetsLittleEndian) {
    auto log = healthLog();
    log[0] = 0x04;
    log[1] = 310 & 0xFF;
    log[2] = 310 >> 8;
    log[3] = 97;
    log[4] = 10;
    log[5] = 120;
    putCounter(log, 48, 2'000'000);
    putCounter(log, 128, 0x0102030405);
    putCounter(log, 144, 41);
    putCounter(log, 160, 3);
    log[32] = 0xFF;   // data units read: not used
    DriveHealthInfo drive("nvme0n1");
    ASSERT_TRUE(parseNVMeHealthLog(log, drive));
    EXPECT_EQ(drive.criticalWarning, 4);
    EXPECT_EQ(drive.temperatureCelsius, 37);
    EXPECT_EQ(drive.availableSparePercent, 97);
    EXPECT_EQ(drive.availableSpareThresholdPercent, 10);
    EXPECT_EQ(drive.percentageUsed, 120);
    EXPECT_EQ(drive.dataWrittenTB, 1.0);   // 1.024 × 10^12 bytes
    EXPECT_EQ(drive.powerOnHours, 0x0102030405);
    EXPECT_EQ(drive.unsafeShutdowns, 41);
    EXPECT_EQ(drive.mediaErrors, 3);
}

TEST(NvmeHealthLog, TemperaturesOf200KelvinOrLessAreNoReading) {
    for (const auto& [kelvin, celsius] : {std::pair<int, std::optional<std::int64_t>>{0, {}}, {200, {}}, {201, -72}}) {
        auto log = healthLog();
        log[1] = static_cast<std::uint8_t>(kelvin);
        DriveHealthInfo drive;
        parseNVMeHealthLog(log, drive);
        EXPECT_EQ(drive.temperatureCelsius, celsius) << kelvin;
    }
}

TEST(NvmeHealthLog, CountersReadTheLowEightBytesAndSaturate) {
    constexpr auto largest = std::numeric_limits<std::int64_t>::max();
    auto log = healthLog();
    putCounter(log, 128, ~std::uint64_t{0});
    putCounter(log, 144, static_cast<std::uint64_t>(largest));
    putCounter(log, 160, 7);
    log[168] = 0xFF;   // high half of the media-error counter: ignored
    putCounter(log, 48, 12'345'678);   // 6.32 TB rounds to 6.3
    DriveHealthInfo drive;
    parseNVMeHealthLog(log, drive);
    EXPECT_EQ(drive.powerOnHours, largest);
    EXPECT_EQ(drive.unsafeShutdowns, largest);
    EXPECT_EQ(drive.mediaErrors, 7);
    EXPECT_EQ(drive.dataWrittenTB, 6.3);
}

struct EvaluationCase {
    const char* name;
    DriveHealthInfo drive;
    bool failing;
    bool hasData;
    std::vector<Issue> issues;
    Status status;
};

DriveHealthInfo with(std::optional<std::int64_t> DriveHealthInfo::*field, std::int64_t value) {
    DriveHealthInfo d;
    d.*field = value;
    return d;
}

DriveHealthInfo spare(std::int64_t percent, std::int64_t threshold, std::int64_t warning = 0) {
    DriveHealthInfo d;
    d.availableSparePercent = percent;
    d.availableSpareThresholdPercent = threshold;
    d.criticalWarning = warning;
    return d;
}

TEST(DriveHealthEvaluation, FindingsAndVerdicts) {
    const auto used = &DriveHealthInfo::percentageUsed;
    const auto warning = &DriveHealthInfo::criticalWarning;
    const auto media = &DriveHealthInfo::mediaErrors;
    const std::vector<EvaluationCase> cases{
        {"used 89", with(used, 89), false, true, {}, Status::good},
        {"used 90", with(used, 90), false, true, {Issue::nearingWearLimit}, Status::caution},
        {"used 99", with(used, 99), false, true, {Issue::nearingWearLimit}, Status::caution},
        {"used 100", with(used, 100), false, true, {Issue::wornOut}, Status::caution},
        {"used 255", with(used, 255), false, true, {Issue::wornOut}, Status::caution},
        {"spare 5 of 10", spare(5, 10), false, true, {Issue::spareBelowThreshold}, Status::bad},
        {"threshold 0", spare(0, 0), false, true, {}, Status::good},
        {"bit 0 and low spare", spare(5, 10, 1), false, true, {Issue::spareBelowThreshold}, Status::bad},
        {"warning 0x1F", with(warning, 0x1F), false, true,
         {Issue::backupFailed, Issue::overheated, Issue::readOnly, Issue::reliabilityDegraded,
          Issue::spareBelowThreshold},
         Status::bad},
        {"warning 0x02", with(warning, 0x02), false, true, {Issue::overheated}, Status::caution},
        {"warning bits 5-7", with(warning, 0xE0), false, true, {}, Status::good},
        {"media 0", with(media, 0), false, true, {}, Status::good},
        {"media 1", with(media, 1), false, true, {Issue::mediaErrors}, Status::caution},
        {"verified", DriveHealthInfo(), false, true, {}, Status::good},
        {"failing", DriveHealthInfo(), true, true, {Issue::systemUnhealthy}, Status::bad},
        {"no data", DriveHealthInfo(), false, false, {}, Status::unknown},
        {"findings without data", with(used, 100), false, false, {Issue::wornOut}, Status::unknown},
        {"worn and failing", with(used, 100), true, true, {Issue::systemUnhealthy, Issue::wornOut}, Status::bad},
    };
    for (auto c : cases) {
        c.drive.issues = {Issue::failurePredicted};   // rebuilt, never kept
        evaluate(c.drive, c.failing, c.hasData);
        EXPECT_EQ(c.drive.issues, c.issues) << c.name;
        EXPECT_EQ(c.drive.status, c.status) << c.name;
    }
}

TEST(SmartctlVerdict, PassedFlagGivesTheVerdict) {
    EXPECT_EQ(parseSystemVerdict(R"({"smart_status": {"passed": true, "nvme": {"value": 0}}})"), true);
    EXPECT_EQ(parseSystemVerdict(R"({"smartctl": {"exit_status": 24}, "smart_status": {"passed": false}})"), false);
    for (const char* none : {R"({"smartctl": {"exit_status": 2}})", R"({"smart_status": {}})",
                             R"({"smart_status": {"passed": "yes"}})", R"({"smart_status": true})", "[]",
                             "SMART overall-health self-assessment test result: PASSED", ""})
        EXPECT_FALSE(parseSystemVerdict(none)) << none;
}

TEST(SmartctlVerdict, ARunThatCannotStartHangsOrIsStoppedGivesNoVerdict) {
    using namespace std::chrono_literals;
    EXPECT_FALSE(systemVerdict({}, 5s));
    EXPECT_FALSE(systemVerdict({"/nonexistent/smartctl", "--json", "-H", "/dev/sda"}, 5s));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(systemVerdict({"sh", "-c", R"(echo '{"smart_status":{"passed":true}}'; exec sleep 30)"}, 200ms));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_EQ(systemVerdict({"echo", R"({"smart_status":{"passed":true}})"}, 5s), true);
    // A stopped reading ends the run and takes nothing from it.
    const CancelToken stopped;
    stopped.cancel();
    EXPECT_FALSE(systemVerdict({"echo", R"({"smart_status":{"passed":true}})"}, 5s, stopped));
}

} // namespace
} // namespace zantiva
