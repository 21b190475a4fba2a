#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/ExternalBenchmarkApp.h"
#include "Model/ExternalBenchmarkResult.h"

namespace zantiva {

class Loc;

// An application that has scores, with the name it is shown under (its installation's,
// with the Geekbench version, else its own).
struct ExternalScoredApp {
    ExternalBenchmarkApp app = ExternalBenchmarkApp::geekbench;
    std::string name;
    ExternalBenchmarkResult result;
};

// A failed step of the last outside run; the label is absent for a failure outside a step.
struct ExternalProblemState {
    std::optional<std::string> stepLabel;
    LocalizedMessage message;
};

// One score figure: a whole number, or an em dash when the score is missing.
struct ExternalScoreFigure {
    std::string value; // machine text
    bool isMissing = false;
    std::string label;

    bool operator==(const ExternalScoreFigure&) const = default;
};

// One application's scores side by side, each figure an equal share of the width.
struct ExternalScoreRowView {
    std::vector<ExternalScoreFigure> figures; // single-core, multi-core, then GPU when the app has one
    bool reservesThirdColumn = false;         // an empty share where an app without GPU has none
    double size = 18;                         // of the figures

    bool operator==(const ExternalScoreRowView&) const = default;
};

namespace ExternalScoresPresenter {

// reservesGPUColumn keeps the third share free for an application without a GPU test, so
// that rows of several applications line up.
ExternalScoreRowView row(ExternalBenchmarkApp app, const ExternalBenchmarkResult& result, double size,
                         bool reservesGPUColumn, const Loc& loc);

} // namespace ExternalScoresPresenter
} // namespace zantiva
