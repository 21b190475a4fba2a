#include "Presenters/ResumeCardPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::ResumeCardPresenter {

ResumeCardView present(const ResumeCardState& state, const Loc& loc) {
    return {
        .title = loc["Dashboard.Resume.Title"],
        .body = loc.f("Dashboard.Resume.Body", state.session.completedSteps.size(), state.session.plannedSteps.size()),
        .resumeLabel = loc["Dashboard.Resume.Continue"],
        .canResume = state.canResume,
        .discardLabel = loc["Dashboard.Resume.Discard"],
        .discardTip = loc["Dashboard.Resume.DiscardTip"],
    };
}

} // namespace zantiva::ResumeCardPresenter
