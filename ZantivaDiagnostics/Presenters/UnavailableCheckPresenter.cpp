#include "Presenters/UnavailableCheckPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::UnavailableCheckPresenter {

UnavailableCheckView present(TestModule module, const Loc& loc) {
    const bool endsAsNotPassed = module == TestModule::audio || module == TestModule::input;
    return {loc["Suite.CheckUnavailable"], loc[endsAsNotPassed ? "Suite.SkipCheckFailed" : "Suite.SkipCheck"]};
}

} // namespace zantiva::UnavailableCheckPresenter
