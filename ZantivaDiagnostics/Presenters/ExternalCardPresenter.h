#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/ExternalBenchmarkStep.h"
#include "Presenters/DriveHealthPresenter.h"
#include "Presenters/ExternalScoresPresenter.h"

namespace zantiva {

class Loc;

// What the dashboard card knows of one outside application.
struct ExternalAppCardState {
    ExternalBenchmarkApp app = ExternalBenchmarkApp::geekbench;
    std::string name;                // the installation's, else the application's
    std::optional<std::string> path; // the disk image, else the folder, else the program
    bool isAvailable = false;        // the installation can run where it is
    bool isOnImage = false;
    bool isFoundAutomatically = false;
    bool isPreparing = false; // its disk image is being opened
    std::optional<LocalizedMessage> chooseError;
    std::optional<ExternalBenchmarkResult> result;
};

struct ExternalCardState {
    bool isExpanded = false;
    bool canStart = false;  // no run of any runner is in progress
    bool isRunning = false; // an outside run is
    std::vector<ExternalAppCardState> apps; // in the applications' fixed order
};

// A note under an application's name; dim notes are drawn at 60 % opacity.
struct ExternalNote {
    std::string text;
    PaletteColor color = PaletteColor::text;
    bool isDim = false;

    bool operator==(const ExternalNote&) const = default;
};

// A run button: one test (a one-step plan) or every test of the application.
struct ExternalRunButton {
    std::string label;
    bool isRunAll = false; // outline; the others are secondary
    ExternalBenchmarkStep step;

    bool operator==(const ExternalRunButton&) const = default;
};

struct ExternalAppSectionView {
    ExternalBenchmarkApp app = ExternalBenchmarkApp::geekbench;
    std::string name; // machine text
    std::optional<std::string> badge;
    std::string chooseLabel;
    bool canChoose = false;
    std::optional<std::string> path; // machine text
    std::vector<ExternalNote> notes; // under the name and path, in order
    std::vector<ExternalRunButton> buttons;
    bool canRun = false;
    std::optional<ScoreRowView> scores;

    bool operator==(const ExternalAppSectionView&) const = default;
};

// The dashboard card of the outside benchmarks; collapsed it shows its header row alone.
struct ExternalCardView {
    std::string title;
    std::string toggleLabel;
    std::string toggleTip;
    bool isExpanded = false;
    std::string intro;
    std::vector<ExternalAppSectionView> sections;
    std::string fullPerformanceLabel;
    bool canRunFullPerformance = false;
    std::string openCsvLabel;

    bool operator==(const ExternalCardView&) const = default;
};

namespace ExternalCardPresenter {

// The choose button waits while any disk image opens, so two choices never race, and while
// a run is in progress, so no installation changes under it. The run buttons need a ready
// installation and a free gate.
ExternalCardView present(const ExternalCardState& state, const Loc& loc);

} // namespace ExternalCardPresenter
} // namespace zantiva
