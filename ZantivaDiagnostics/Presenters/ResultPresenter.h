#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/BenchmarkScoring.h"
#include "Model/FinalBenchmarkReport.h"
#include "Model/StorageBenchmarkResult.h"
#include "Model/TestModule.h"
#include "Presenters/DriveHealthPresenter.h"
#include "Presenters/ExternalScoresPresenter.h"
#include "PanelPresenters/MetricValue.h"

namespace zantiva {

class Loc;

// What the results screen reads of the app model and its runners.
struct ResultScreenState {
    FinalBenchmarkReport report;
    std::vector<TestModule> plan;                   // of the last run, in run order
    std::map<TestModule, LocalizedMessage> failures; // why modules of the last run failed
    std::optional<StorageBenchmarkResult> storageResult;
    bool isStorageRunning = false;
    std::vector<ExternalProblemState> externalProblems; // of the last outside run
    std::vector<ExternalScoredApp> externalScores;       // the stored ones, in the applications' order
};

struct ResultGradeView {
    std::optional<DeviceGrade> grade; // none: the badge's empty form
    std::string overall;
    std::string title;
    std::optional<std::string> healthScore;
    std::string note;
    std::optional<std::string> batteryPenalty; // the grade sits below what the score alone gives

    bool operator==(const ResultGradeView&) const = default;
};

struct ResultProblem {
    std::optional<std::string> title; // the module's name, the outside step's; none: no badge
    std::string message;

    bool operator==(const ResultProblem&) const = default;
};

struct ResultProblemsView {
    std::string title;
    std::string note;
    std::vector<ResultProblem> problems; // in the run's plan order, then the outside run's

    bool operator==(const ResultProblemsView&) const = default;
};

struct ResultCpuSection {
    std::string label;
    std::string score; // machine text, shown large
    MetricValue singleCore;
    std::optional<MetricValue> sustained;
    std::string detail;
    ColoredLine integrity;
    std::optional<std::string> throttleNote;

    bool operator==(const ResultCpuSection&) const = default;
};

struct ResultGpuSection {
    std::string label;
    std::string score;
    std::string detail;
    std::string adapter; // machine text

    bool operator==(const ResultGpuSection&) const = default;
};

struct ResultMemorySection {
    std::string label;
    MetricValue read;
    MetricValue write;

    bool operator==(const ResultMemorySection&) const = default;
};

struct ResultPerformanceView {
    std::optional<ResultCpuSection> cpu;
    std::optional<ResultGpuSection> gpu;
    std::optional<ResultMemorySection> memory;
    std::optional<std::string> notRunYet; // when none of the three ran

    bool operator==(const ResultPerformanceView&) const = default;
};

struct ResultCheckRow {
    HealthComponentKind kind;
    std::string title;
    std::optional<std::string> detail;
    BadgeValue score;

    bool operator==(const ResultCheckRow&) const = default;
};

struct ResultChecksView {
    std::string title;
    std::vector<ResultCheckRow> rows; // in the order of the health components
    std::optional<std::string> notRunYet;
    std::optional<std::string> peripherals; // "Peripheral checks: N/A (Bypassed by User)"
    std::optional<std::string> peripheralsNote;
    std::optional<std::string> batteryNotScored;

    bool operator==(const ResultChecksView&) const = default;
};

struct ResultStorageColumn {
    std::string value; // MB/s, machine text; an em dash when not measured
    std::string label;

    bool operator==(const ResultStorageColumn&) const = default;
};

// The last storage result in brief; a click opens the storage screen.
struct ResultStorageView {
    std::string title;
    std::string openLabel; // also the tooltip
    std::array<ResultStorageColumn, 4> columns; // sequential read, write, random Q32 read, write
    std::string unit;
    bool isEnabled = true; // not while a storage test runs

    bool operator==(const ResultStorageView&) const = default;
};

struct ResultExternalRow {
    std::string name; // machine text
    ScoreRowView scores;

    bool operator==(const ResultExternalRow&) const = default;
};

// The last scores of the outside applications.
struct ResultExternalView {
    std::string title;
    std::vector<ResultExternalRow> rows;

    bool operator==(const ResultExternalView&) const = default;
};

// The results screen, top to bottom.
struct ResultScreenView {
    std::string backLabel;
    ResultGradeView grade;
    std::optional<ResultProblemsView> problems;
    ResultPerformanceView performance;
    ResultChecksView checks;
    std::optional<DriveHealthView> driveHealth;
    std::optional<ResultStorageView> storage;
    std::optional<ResultExternalView> external; // when an outside application has a score

    bool operator==(const ResultScreenView&) const = default;
};

namespace ResultPresenter {

// A check's score as a whole number on cyan from 90, olive yellow from 50, crimson below
// (with white text there). The colour follows the exact score: 49.9 is crimson, reading "50".
BadgeValue scoreBadge(double score);
// The line under a check's title; none for the checks that have nothing to add.
std::optional<std::string> detail(HealthComponentKind kind, const FinalBenchmarkReport& report, const Loc& loc);
// The failures of the plan's modules, in plan order; a failure outside the plan is left out.
std::vector<ResultProblem> problems(const std::vector<TestModule>& plan,
                                    const std::map<TestModule, LocalizedMessage>& failures, const Loc& loc);

ResultScreenView present(const ResultScreenState& state, const Loc& loc);

} // namespace ResultPresenter
} // namespace zantiva
