#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/StorageBenchmarkProgress.h"
#include "Model/StorageBenchmarkResult.h"
#include "Presenters/DriveHealthPresenter.h"
#include "PanelPresenters/MetricValue.h"

namespace zantiva {

class Loc;

// What the storage screen reads of the storage runner.
struct StorageScreenState {
    bool isRunning = false;
    std::optional<StorageBenchmarkProgress> progress;
    int run = 0;         // the measured run under way, from 1; 0 while preparing or settling
    int runsPerTest = 1; // of the runner's own configuration
    bool isSettling = false;
    std::optional<StorageBenchmarkResult> result;
    std::optional<LocalizedMessage> failure;
};

// The card of the test under way.
struct StorageLiveView {
    std::string title;
    std::string phase;
    double fraction = 0; // 0 ... 1
    MetricValue throughput;
    std::string stopLabel;

    bool operator==(const StorageLiveView&) const = default;
};

// Why the last run could not run.
struct StorageErrorView {
    std::string title;
    std::string message;

    bool operator==(const StorageErrorView&) const = default;
};

// One measured direction of one profile; the figures are machine text.
struct StorageResultRow {
    std::string title; // "Sequential … · Read"
    std::string mbps;
    std::string mibps;
    std::string iops;
    std::string latencyMs;

    bool operator==(const StorageResultRow&) const = default;
};

struct StorageResultsView {
    std::string title;
    // Above the four figure columns: "MB/s", "MiB/s", "IOPS", latency " · ms".
    std::array<std::string, 4> columns;
    std::vector<StorageResultRow> rows; // sequential, random Q32, random Q1; read before write
    std::string queueDepthOneNote;
    std::string targetLabel;
    std::string targetFolder; // machine text
    std::string method;

    bool operator==(const StorageResultsView&) const = default;
};

// The storage screen, top to bottom. At most one of live and error; the results and the
// drive health of the last result only while no test runs.
struct StorageScreenView {
    std::string backLabel;
    bool canGoBack = true;
    std::optional<StorageLiveView> live;
    std::optional<StorageErrorView> error;
    std::optional<StorageResultsView> results;
    std::optional<DriveHealthView> driveHealth;

    bool operator==(const StorageScreenView&) const = default;
};

namespace StoragePresenter {

// "Sequential Read · SEQ1M Q8T1 — run 2 of 5" once a measured run reports, else the
// settling or the preparing sentence.
std::string phaseText(const StorageScreenState& state, const Loc& loc);
// The part of the run done, 0 ... 1; 0 before the first report or without a known total.
double progressFraction(const std::optional<StorageBenchmarkProgress>& progress);
// The measured directions of one profile, read then write; an unmeasured one has no row.
std::vector<StorageResultRow> rows(const std::string& title, const StorageBenchmarkResult& result,
                                   StorageTestProfile profile, const Loc& loc);

StorageScreenView present(const StorageScreenState& state, const Loc& loc);

} // namespace StoragePresenter
} // namespace zantiva
