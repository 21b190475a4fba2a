#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Localization/LocalizedMessage.h"
#include "Model/ExternalBenchmarkApp.h"
#include "Model/ExternalBenchmarkResult.h"
#include "PanelPresenters/ScoreRowView.h"

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

namespace ExternalScoresPresenter {

// An application's figures: single-core, multi-core, then GPU when the app has one.
// reservesGPUColumn keeps the third share free for an application without a GPU test, so
// that rows of several applications line up.
ScoreRowView row(ExternalBenchmarkApp app, const ExternalBenchmarkResult& result, double size,
                 bool reservesGPUColumn, const Loc& loc);

} // namespace ExternalScoresPresenter
} // namespace zantiva
