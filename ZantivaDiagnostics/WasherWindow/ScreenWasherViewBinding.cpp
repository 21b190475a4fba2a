#include "WasherWindow/ScreenWasherViewBinding.h"

#include "LocalizedViews/LocNotifier.h"
#include "WasherWindow/WasherControls.h"

namespace zantiva {

void bindScreenWasherView(ScreenWasherView& view, ScreenWasherRunState& state, LocNotifier& loc) {
    const auto present = [&view, &state, &loc] {
        view.show(state.engine(), WasherPresenter::present(state.engine(), loc.loc()));
    };
    loc.bind(&view, present);
    QObject::connect(&state, &ScreenWasherRunState::engineChanged, &view, present);
    QObject::connect(&state, &ScreenWasherRunState::controlsVisibleChanged, &view,
                     [&view, &state] { view.setControlsVisible(state.controlsVisible()); });
    QObject::connect(&view, &ScreenWasherView::frame, &state, &ScreenWasherRunState::tick);
    QObject::connect(view.controls(), &WasherControls::patternChosen, &state, &ScreenWasherRunState::select);
    QObject::connect(view.controls(), &WasherControls::stopRequested, &state, &ScreenWasherRunState::stop);
}

} // namespace zantiva
