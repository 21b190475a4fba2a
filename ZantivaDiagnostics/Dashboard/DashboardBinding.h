#pragma once

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace zantiva {

class AppModel;
class DashboardScreen;
class LocNotifier;

// Asks the user for the folder the storage test writes in; absent when the user cancelled.
using FolderChooser = std::function<std::optional<std::filesystem::path>()>;

// The desktop's folder dialog over the parent, starting in the home folder.
FolderChooser folderDialog(QWidget& parent, const LocNotifier& loc);

// Shows the model, its runners and the live telemetry on the screen from now on, in the
// current language, and hands the screen's requests to the model and its runners. The
// storage test asks chooseFolder for its folder and starts nothing when it gives none.
void bindDashboard(DashboardScreen& screen, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder);

} // namespace zantiva
