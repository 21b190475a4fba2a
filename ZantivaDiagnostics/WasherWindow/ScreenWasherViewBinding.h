#pragma once

#include "WasherWindow/ScreenWasherView.h"

namespace zantiva {

class LocNotifier;
class ScreenWasherRunState;

// Shows the run state on the view as it changes and hands the view's frames and the
// controls' choices to the run state.
void bindScreenWasherView(ScreenWasherView& view, ScreenWasherRunState& state, LocNotifier& loc);

} // namespace zantiva
