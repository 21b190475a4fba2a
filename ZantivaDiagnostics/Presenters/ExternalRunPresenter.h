#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Model/ExternalBenchmarkStep.h"
#include "Model/SensorSnapshot.h"
#include "Presenters/ExternalScoresPresenter.h"

namespace zantiva {

class Loc;

// One output line of a tool; ids only grow, so the console appends what is new.
struct ExternalConsoleLine {
    int id = 0;
    std::string text;

    bool operator==(const ExternalConsoleLine&) const = default;
};

// What the outside-benchmark run screen reads of the runner and the live telemetry.
struct ExternalRunState {
    struct Rest {
        std::string before; // the application's name
        int remainingSeconds = 0;
    };

    bool isRunning = false;
    int stepIndex = 0;
    int stepCount = 0;
    std::optional<ExternalBenchmarkStep> currentStep;
    std::optional<std::string> currentStepLabel;
    std::optional<Rest> cooldown;
    std::optional<double> fraction; // absent: the tool reports no progress
    // On a monotonic clock: the elapsed time is their difference.
    std::optional<std::chrono::steady_clock::time_point> stepStartedAt;
    std::chrono::steady_clock::time_point now;
    std::optional<std::variant<LocalizedMessage, std::string>> status;
    std::vector<ExternalScoredApp> scored; // in the order they scored
    std::vector<ExternalProblemState> problems;
    bool wasCancelled = false;
    bool csvWritten = false;
    std::vector<ExternalConsoleLine> console;
    SensorSnapshot latest;
    std::vector<double> cpuHistory;
    std::vector<double> gpuHistory;
    int historyCapacity = 1;
};

// The live load of the CPU or the GPU.
struct ExternalLoadView {
    std::string title;                      // "CPU", "GPU"
    std::optional<std::string> temperature; // machine text
    std::string load;                       // machine text; an em dash when unknown
    std::string caption;
    std::vector<double> history;
    int capacity = 1;

    bool operator==(const ExternalLoadView&) const = default;
};

// A step in progress: its progress bar, or the activity bar with the time it has taken.
struct ExternalStepView {
    std::string label;
    std::optional<double> progress; // 0 ... 1; absent: the activity bar
    std::optional<std::string> elapsed;
    std::string elapsedClock; // the machine text inside elapsed
    std::optional<std::string> noProgressNote;

    bool operator==(const ExternalStepView&) const = default;
};

// The rest between two applications, with the way to end it.
struct ExternalRestView {
    std::string title;
    std::string remaining; // machine text, shown large
    std::string skipLabel;

    bool operator==(const ExternalRestView&) const = default;
};

struct ExternalRunningView {
    std::string title;
    std::string stopLabel;
    std::optional<std::string> stepCounter; // only for a plan of several steps
    std::variant<ExternalStepView, ExternalRestView> phase;
    std::string status;
    ExternalLoadView cpu;
    ExternalLoadView gpu;

    bool operator==(const ExternalRunningView&) const = default;
};

struct ExternalProblemView {
    std::optional<std::string> stepLabel;
    std::string message;

    bool operator==(const ExternalProblemView&) const = default;
};

struct ExternalScoredAppView {
    std::string name; // machine text
    ScoreRowView scores;

    bool operator==(const ExternalScoredAppView&) const = default;
};

struct ExternalFinishedView {
    std::string title;
    std::vector<ExternalScoredAppView> apps;
    std::optional<std::string> noScores; // cancelled, or no score
    std::optional<std::string> problemsTitle;
    std::vector<ExternalProblemView> problems;
    std::optional<std::string> csvWritten;
    std::string backLabel;
    std::string openCsvLabel;

    bool operator==(const ExternalFinishedView&) const = default;
};

struct ExternalConsoleView {
    bool isShown = false; // after a run only when it holds lines
    std::string title;
    std::string showLabel;
    std::string hideLabel;
    std::string emptyText;
    std::vector<ExternalConsoleLine> lines;

    bool operator==(const ExternalConsoleView&) const = default;
};

// The run screen: the running section while a plan runs, the results section after it,
// the console under either.
struct ExternalRunView {
    std::variant<ExternalRunningView, ExternalFinishedView> section;
    ExternalConsoleView console;

    bool operator==(const ExternalRunView&) const = default;
};

namespace ExternalRunPresenter {

// Whole seconds, rounded, never below 0: minutes (not padded, past 59 too), a colon and two
// digits of seconds; 299.4 reads 4:59.
std::string clock(double seconds);

ExternalRunView present(const ExternalRunState& state, const Loc& loc);

} // namespace ExternalRunPresenter
} // namespace zantiva
