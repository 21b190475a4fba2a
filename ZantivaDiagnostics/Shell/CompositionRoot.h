#pragma once

#include <memory>

#include "Account/SiteProfile.h"
#include "App/AppModel.h"
#include "WasherWindow/ScreenWasherController.h"

namespace zantiva {

// Builds the windowed program's object graph, once per process, and hands back the model
// that owns it: the process's language holder, session tokens in the desktop keyring, the
// program's own web transport and version, the app folder under the user's data folder,
// links (and the CSV file) opened by the desktop, the desktop's sleep and screen-saver
// holds while the runners run, and the outside tools searched in the standard folders,
// run as child processes, with their disk images opened read-only. Starts no work:
// sampling, reading the machine's specs, every web call and the search for the outside
// tools begin with AppModel::start().
std::unique_ptr<AppModel> buildAppModel(SiteDirectory sites = SiteDirectory::production());

// The window's screen washer, which keeps the display awake through the desktop while it runs.
std::unique_ptr<ScreenWasherController> buildScreenWasher(LocNotifier& loc);

} // namespace zantiva
