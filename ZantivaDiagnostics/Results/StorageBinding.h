#pragma once

#include "Model/AppScreen.h"
#include "Presenters/StoragePresenter.h"

namespace zantiva {

class LocNotifier;
class StorageRunner;
class StorageScreen;

// What the storage screen reads of the runner now.
StorageScreenState storageScreenState(const StorageRunner& storage);

// Keeps the screen showing the storage runner in the current language, and turns its
// requests into calls: back to the dashboard through goTo, stopping the test. The launcher
// starts the test; the screen starts nothing.
void bindStorageScreen(StorageScreen& screen, StorageRunner& storage, LocNotifier& loc,
                       ScreenSwitch goTo);

} // namespace zantiva
