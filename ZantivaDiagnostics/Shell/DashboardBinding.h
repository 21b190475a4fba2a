#pragma once

#include "Controls/FolderChooser.h"

namespace zantiva {

class AppModel;
class DashboardScreen;
class LocNotifier;

// Shows the model, its runners and the live telemetry on the screen from now on, in the
// current language, and hands the screen's requests to the model and its runners. The
// storage test asks chooseFolder for its folder and starts nothing when it gives none.
void bindDashboard(DashboardScreen& screen, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder);

} // namespace zantiva
