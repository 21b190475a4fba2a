#pragma once

#include "Presenters/StoragePresenter.h"

namespace zantiva {

class AppModel;
class LocNotifier;
class StorageRunner;
class StorageScreen;

// What the storage screen reads of the runner now.
StorageScreenState storageScreenState(const StorageRunner& storage);

// Keeps the screen showing the storage runner in the current language, and turns its
// requests into model and runner calls: back to the dashboard, stopping the test. The
// launcher starts the test; the screen starts nothing.
void bindStorageScreen(StorageScreen& screen, AppModel& model, LocNotifier& loc);

} // namespace zantiva
