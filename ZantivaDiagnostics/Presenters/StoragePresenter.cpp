#include "Presenters/StoragePresenter.h"

#include <algorithm>
#include <cmath>

#include "Localization/CompositeFormat.h"
#include "Localization/Loc.h"
#include "Presenters/ShownNumber.h"

namespace zantiva::StoragePresenter {

namespace {

struct PhaseKeys {
    const char* read;
    const char* write;
};

PhaseKeys phaseKeys(StorageTestProfile profile) {
    switch (profile) {
    case StorageTestProfile::seq1MQ8T1: return {"Ssd.Phase.SeqRead", "Ssd.Phase.SeqWrite"};
    case StorageTestProfile::rnd4KQ32T1: return {"Ssd.Phase.RndRead", "Ssd.Phase.RndWrite"};
    case StorageTestProfile::rnd4KQ1T1: break;
    }
    return {"Ssd.Phase.Rnd1Read", "Ssd.Phase.Rnd1Write"};
}

StorageLiveView live(const StorageScreenState& state, const Loc& loc) {
    // Before the first report the figure is 0 as an integer, whatever the pattern makes of it.
    const std::string throughput =
        state.progress ? formattedNumber("{0:N1} MB/s", state.progress->currentThroughputMBps)
                       : CompositeFormat::format("{0:N1} MB/s", {0});
    return {
        .title = loc["Ssd.Title"],
        .phase = phaseText(state, loc),
        .fraction = progressFraction(state.progress),
        .throughput = {loc["Ssd.Live"], throughput, PaletteColor::text},
        .stopLabel = loc["Common.Stop"],
    };
}

StorageResultsView results(const StorageBenchmarkResult& result, const Loc& loc) {
    StorageResultsView view{
        .title = loc["Ssd.ResultsTitle"],
        .columns = {"MB/s", "MiB/s", "IOPS", loc["Ssd.Latency"] + " \u00B7 ms"},
        .rows = {},
        .queueDepthOneNote = loc["Ssd.RandomQ1Note"],
        .targetLabel = loc["Ssd.Target"],
        .targetFolder = result.targetFolder,
        .method = loc["Ssd.Method"],
    };
    const std::pair<const char*, StorageTestProfile> sections[] = {
        {"Ssd.Sequential", StorageTestProfile::seq1MQ8T1},
        {"Ssd.Random", StorageTestProfile::rnd4KQ32T1},
        {"Ssd.RandomQ1", StorageTestProfile::rnd4KQ1T1},
    };
    for (const auto& [key, profile] : sections)
        for (auto& row : rows(loc[key], result, profile, loc)) view.rows.push_back(std::move(row));
    return view;
}

} // namespace

std::string phaseText(const StorageScreenState& state, const Loc& loc) {
    if (state.progress && state.run >= 1) {
        const PhaseKeys keys = phaseKeys(state.progress->profile);
        return loc.f(state.progress->isWrite ? keys.write : keys.read, state.run, state.runsPerTest);
    }
    return loc[state.isSettling ? "Ssd.Phase.Settling" : "Ssd.Phase.Preparing"];
}

double progressFraction(const std::optional<StorageBenchmarkProgress>& progress) {
    if (!progress || !(progress->totalDurationSeconds > 0)) return 0;
    const double percent = std::min(progress->elapsedSeconds / progress->totalDurationSeconds * 100, 100.0);
    const double fraction = percent / 100;
    if (!std::isfinite(fraction)) return 0;
    return std::clamp(fraction, 0.0, 1.0);
}

std::vector<StorageResultRow> rows(const std::string& title, const StorageBenchmarkResult& result,
                                   StorageTestProfile profile, const Loc& loc) {
    std::vector<StorageResultRow> out;
    for (const bool isWrite : {false, true}) {
        const auto& measurement = result.measurement(profile, isWrite);
        if (!measurement) continue;
        out.push_back({
            .title = title + " \u00B7 " + loc[isWrite ? "Ssd.Write" : "Ssd.Read"],
            .mbps = formattedNumber("{0:N1}", measurement->mbps),
            .mibps = formattedNumber("{0:N1}", measurement->mibps()),
            .iops = formattedNumber("{0:N0}", measurement->iops),
            .latencyMs = formattedNumber("{0:0.000}", measurement->averageLatencyMs),
        });
    }
    return out;
}

StorageScreenView present(const StorageScreenState& state, const Loc& loc) {
    StorageScreenView view{
        .backLabel = loc["Common.BackToDashboard"],
        .canGoBack = !state.isRunning,
        .live = std::nullopt,
        .error = std::nullopt,
        .results = std::nullopt,
        .driveHealth = std::nullopt,
    };
    if (state.isRunning)
        view.live = live(state, loc);
    else if (state.failure)
        view.error = StorageErrorView{loc["Ssd.ErrorTitle"], loc.resolve(*state.failure)};
    if (!state.isRunning && state.result) {
        view.results = results(*state.result, loc);
        if (state.result->driveHealth && DriveHealthPresenter::hasContent(*state.result->driveHealth))
            view.driveHealth = DriveHealthPresenter::present(*state.result->driveHealth, loc);
    }
    return view;
}

} // namespace zantiva::StoragePresenter
