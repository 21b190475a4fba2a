#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "Presenters/StoragePresenter.h"

class QWidget;

namespace zantiva {

class AppModel;
class LocNotifier;
class StorageRunner;
class StorageScreen;

// Asks the user for the folder to test in; nothing when the user cancels.
using FolderChooser = std::function<std::optional<std::filesystem::path>()>;

// What the storage screen reads of the runner now.
StorageScreenState storageScreenState(const StorageRunner& storage);

// Keeps the screen showing the storage runner in the current language, and turns its
// requests into model and runner calls: back to the dashboard, a test in the folder the
// chooser gives (none on cancel), stopping the test.
void bindStorageScreen(StorageScreen& screen, AppModel& model, LocNotifier& loc, FolderChooser chooseFolder);

// The desktop's folder dialog over the window, titled in the current language.
FolderChooser folderDialog(QWidget& window, LocNotifier& loc);

} // namespace zantiva
