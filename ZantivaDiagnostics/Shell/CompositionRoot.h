#pragma once

#include <memory>

#include "Account/SiteProfile.h"
#include "App/AppModel.h"
#include "Washer/ScreenWasherController.h"

namespace zantiva {

// Builds the windowed program's object graph, once per process, and hands back the model
// that owns it: the process's language holder, session tokens in the desktop keyring, the
// program's own web transport and version, the app folder under the user's data folder,
// links opened in the desktop's browser, and the desktop's sleep and screen-saver holds
// while the runners run. Starts no work: sampling, reading the machine's specs and every
// web call begin with AppModel::start().
std::unique_ptr<AppModel> buildAppModel(SiteDirectory sites = SiteDirectory::production());

// The window's screen washer, which keeps the display awake through the desktop while it runs.
std::unique_ptr<ScreenWasherController> buildScreenWasher(LocNotifier& loc);

} // namespace zantiva
