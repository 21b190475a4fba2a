#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Localization/Loc.h"
#include "Presenters/StoragePresenter.h"

using namespace zantiva;

namespace {

const Loc english(AppLanguage::english);

StorageBenchmarkProgress progress(StorageTestProfile profile, bool isWrite, double elapsed = 0, double total = 0) {
    return {.profile = profile, .isWrite = isWrite, .currentThroughputMBps = 0, .elapsedSeconds = elapsed,
            .totalDurationSeconds = total};
}

StorageBenchmarkResult readsOnly() {
    StorageBenchmarkResult result;
    result.targetFolder = "/mnt/data";
    result.seqRead = StorageTestMeasurement{1000.0, 953.67, 1.0486};
    result.randomQ32Read = StorageTestMeasurement{1702.4, 415625, 0.0769};
    result.randomQ1Read = StorageTestMeasurement{std::nan(""), std::numeric_limits<double>::infinity(), 0.052};
    return result;
}

} // namespace

TEST(StoragePresenter, PhaseLine) {
    using enum StorageTestProfile;
    const struct {
        std::optional<StorageBenchmarkProgress> progress;
        int run;
        bool settling;
        std::string text;
    } rows[] = {
        {std::nullopt, 0, false, english["Ssd.Phase.Preparing"]},
        {std::nullopt, 0, true, english["Ssd.Phase.Settling"]},
        {progress(rnd4KQ32T1, false), 0, true, english["Ssd.Phase.Settling"]},
        {std::nullopt, 2, false, english["Ssd.Phase.Preparing"]}, // a run without a report yet
        // Once a measured run reports, the run line, whatever the settling flag says.
        {progress(seq1MQ8T1, false), 1, true, english.f("Ssd.Phase.SeqRead", 1, 3)},
        {progress(seq1MQ8T1, true), 2, false, english.f("Ssd.Phase.SeqWrite", 2, 3)},
        {progress(rnd4KQ32T1, true), 3, false, english.f("Ssd.Phase.RndWrite", 3, 3)},
        {progress(rnd4KQ1T1, false), 1, false, english.f("Ssd.Phase.Rnd1Read", 1, 3)},
    };
    for (const auto& row : rows) {
        // N is the runner's own count of runs, not the standard configuration's 5.
        const StorageScreenState state{.isRunning = true, .progress = row.progress, .run = row.run, .runsPerTest = 3,
                                       .isSettling = row.settling, .result = std::nullopt, .failure = std::nullopt};
        EXPECT_EQ(StoragePresenter::phaseText(state, english), row.text);
    }
}

TEST(StoragePresenter, ProgressFraction) {
    const double nan = std::nan("");
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        std::optional<StorageBenchmarkProgress> progress;
        double fraction;
    } rows[] = {
        {std::nullopt, 0},
        {progress(StorageTestProfile::seq1MQ8T1, false, 5, 0), 0},
        {progress(StorageTestProfile::seq1MQ8T1, false, 30, 120), 0.25},
        {progress(StorageTestProfile::seq1MQ8T1, false, 130, 120), 1},
        {progress(StorageTestProfile::seq1MQ8T1, false, -5, 120), 0},
        {progress(StorageTestProfile::seq1MQ8T1, false, nan, 120), 0},
        {progress(StorageTestProfile::seq1MQ8T1, false, 30, nan), 0},
        {progress(StorageTestProfile::seq1MQ8T1, false, infinity, infinity), 0},
    };
    for (const auto& row : rows) EXPECT_DOUBLE_EQ(StoragePresenter::progressFraction(row.progress), row.fraction);
}

TEST(StoragePresenter, ResultRowsWithMebibytesFromMegabytes) {
    const auto view = StoragePresenter::present({.result = readsOnly()}, english);
    ASSERT_TRUE(view.results);
    EXPECT_EQ(view.results->columns,
              (std::array<std::string, 4>{"MB/s", "MiB/s", "IOPS", english["Ssd.Latency"] + " \u00B7 ms"}));
    // Without write measurements only the read rows show; a broken figure is a dash.
    const std::string read = " \u00B7 " + english["Ssd.Read"];
    EXPECT_EQ(view.results->rows,
              (std::vector<StorageResultRow>{
                  {english["Ssd.Sequential"] + read, "1,000.0", "953.7", "954", "1.049"},
                  {english["Ssd.Random"] + read, "1,702.4", "1,623.5", "415,625", "0.077"},
                  {english["Ssd.RandomQ1"] + read, "\u2014", "\u2014", "\u2014", "0.052"},
              }));
    EXPECT_EQ(view.results->targetFolder, "/mnt/data");
    EXPECT_FALSE(view.driveHealth); // the result holds no drive health
}

TEST(StoragePresenter, WhatTheScreenShowsInEachState) {
    // Nothing stored, nothing running: the buttons only.
    const auto idle = StoragePresenter::present({}, english);
    EXPECT_FALSE(idle.live || idle.error || idle.results || idle.driveHealth);
    EXPECT_TRUE(idle.canGoBack);

    StorageBenchmarkResult result = readsOnly();
    result.driveHealth = DriveHealthReport{};
    StorageScreenState running{.isRunning = true, .runsPerTest = 5, .result = result};
    const auto live = StoragePresenter::present(running, english);
    ASSERT_TRUE(live.live);
    EXPECT_EQ(live.live->throughput, (MetricValue{english["Ssd.Live"], "0.0 MB/s", PaletteColor::text}));
    EXPECT_EQ(live.live->fraction, 0);
    EXPECT_FALSE(live.results); // the older result waits until the test ends
    EXPECT_FALSE(live.canGoBack);
    running.progress = StorageBenchmarkProgress{.currentThroughputMBps = 1264.38};
    EXPECT_EQ(StoragePresenter::present(running, english).live->throughput.value, "1,264.4 MB/s");
    running.progress->currentThroughputMBps = std::nan("");
    EXPECT_EQ(StoragePresenter::present(running, english).live->throughput.value, "\u2014");

    // A failed run leaves the older result beside its error; a drive-health reading without
    // drives shows no card.
    const StorageScreenState failed{.result = result, .failure = LocalizedMessage("Ssd.Error", "disk on fire")};
    const auto shown = StoragePresenter::present(failed, english);
    EXPECT_EQ(shown.error, (StorageErrorView{english["Ssd.ErrorTitle"], english.f("Ssd.Error", "disk on fire")}));
    EXPECT_TRUE(shown.results);
    EXPECT_FALSE(shown.driveHealth);
    result.driveHealth->drives.push_back(DriveHealthInfo("nvme0n1"));
    EXPECT_TRUE(StoragePresenter::present({.result = result}, english).driveHealth);
}
