#include "Presenters/ExternalScoresPresenter.h"

#include "Localization/Loc.h"
#include "Presenters/ShownNumber.h"

namespace zantiva::ExternalScoresPresenter {

namespace {

ScoreFigure figure(const std::optional<double>& score, std::string label) {
    if (!score) return {missingNumber, true, std::move(label)};
    return {formattedNumber("{0:0}", *score), false, std::move(label)};
}

} // namespace

ScoreRowView row(ExternalBenchmarkApp app, const ExternalBenchmarkResult& result, double size,
                 bool reservesGPUColumn, const Loc& loc) {
    ScoreRowView view{
        .figures = {figure(result.singleCoreScore, loc["Result.SingleCore"]),
                    figure(result.multiCoreScore, loc["Result.MultiCore"])},
        .reservesThirdColumn = false,
        .size = size,
    };
    if (supportsGPU(app))
        view.figures.push_back(figure(result.gpuScore, loc["Dashboard.External.Gpu"]));
    else
        view.reservesThirdColumn = reservesGPUColumn;
    return view;
}

} // namespace zantiva::ExternalScoresPresenter
