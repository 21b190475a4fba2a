#pragma once

#include <optional>
#include <string>

#include "Model/BenchmarkSession.h"
#include "Presenters/DeviceHeadingPresenter.h"
#include "Presenters/LauncherPresenter.h"
#include "Presenters/ResumeCardPresenter.h"
#include "Presenters/UpdateNoticePresenter.h"

namespace zantiva {

class Loc;

// What the dashboard's column is shown from; the specs panel and the telemetry sidebar
// take their readings themselves.
struct DashboardState {
    std::optional<UpdateNoticeState> update;
    std::optional<BenchmarkSession> resumable;
    DeviceHeadingState device;
    LauncherState launcher;
    std::string runningVersion; // dotted
};

// The column from top to bottom: the update offer and the unfinished run when there are
// any, the device heading, the launcher and the version footer.
struct DashboardView {
    std::optional<UpdateNoticeView> update;
    std::optional<ResumeCardView> resume;
    DeviceHeadingView device;
    LauncherView launcher;
    std::string footer;

    bool operator==(const DashboardView&) const = default;
};

namespace DashboardPresenter {

DashboardView present(const DashboardState& state, const Loc& loc);

} // namespace DashboardPresenter
} // namespace zantiva
