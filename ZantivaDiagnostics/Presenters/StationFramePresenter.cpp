#include "Presenters/StationFramePresenter.h"

#include "Localization/Loc.h"
#include "Presenters/ModuleText.h"

namespace zantiva::StationFramePresenter {

StationHeading heading(TestModule module, const Loc& loc) {
    return {loc[ModuleText::titleKey(module)], loc[ModuleText::subtitleKey(module)]};
}

VerdictView verdict(bool canContinue, const Loc& loc) {
    return {loc["Common.Continue"], loc["Common.ReportIssue"], canContinue};
}

} // namespace zantiva::StationFramePresenter
