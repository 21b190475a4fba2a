#include "Presenters/DisplayStationPresenter.h"

#include "Localization/Loc.h"

namespace zantiva::DisplayStationPresenter {

DisplayStationView present(bool testShowing, const Loc& loc) {
    return {loc["Display.Intro.Body"], loc["Suite.DisplayOpen"], !testShowing, testShowing ? loc["Display.Running"] : ""};
}

} // namespace zantiva::DisplayStationPresenter
