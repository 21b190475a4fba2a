#include "Presenters/DashboardPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::DashboardPresenter {

DashboardView present(const DashboardState& state, const Loc& loc) {
    DashboardView view{
        .device = DeviceHeadingPresenter::present(state.device, loc),
        .launcher = LauncherPresenter::present(state.launcher, loc),
        .footer = loc.f("Update.CurrentVersion", state.runningVersion),
    };
    if (state.update) view.update = UpdateNoticePresenter::present(*state.update, loc);
    if (state.resumable)
        view.resume = ResumeCardPresenter::present(
            {*state.resumable, LauncherPresenter::canStartRun(state.launcher.isRunBusy, state.launcher.hasSpecs)},
            loc);
    return view;
}

} // namespace zantiva::DashboardPresenter
