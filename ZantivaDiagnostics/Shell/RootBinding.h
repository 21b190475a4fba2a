#pragma once

#include "Controls/FolderChooser.h"
#include "ExternalScreens/ExternalAppChooser.h"
#include "WasherWindow/WasherSetupBinding.h"

namespace zantiva {

class AppModel;
class LocNotifier;
class RootView;

// Ties the whole window to the model from now on: the screen that shows as runs begin and
// end, the header, every screen with its own binding (the storage test asks chooseFolder for its folder, the outside benchmarks' card
// asks chooseApp for an application), the status line, and the
// notices with their buttons: Continue clears the error; the sign-in prompt opens the
// sign-in or lost-password page, or is closed, which drops a sign-in under way; the washer's
// set-up starts its run through startWasher.
void bindRootView(RootView& view, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder,
                  ExternalAppChooser chooseApp, WasherStart startWasher);

} // namespace zantiva
