#pragma once

#include <QWidget>
#include <memory>

#include "Presenters/ResultPresenter.h"
#include "Presenters/StoragePresenter.h"

namespace zantiva {

class LocNotifier;

// The results screen, the drive-health card and the storage screen on plausible sample
// data, each retold when the language changes. Built anew on each call.
namespace ResultSamples {

// A full run: a grade lowered by the battery, two failed modules, three drives.
ResultScreenState resultState();
DriveHealthReport driveHealth();
StorageBenchmarkResult storage();

std::unique_ptr<QWidget> resultScreen(LocNotifier& loc);
std::unique_ptr<QWidget> driveHealthCard(LocNotifier& loc);
std::unique_ptr<QWidget> driveHealthUnread(LocNotifier& loc);
// The third run of the random write test.
std::unique_ptr<QWidget> storageRunning(LocNotifier& loc);
std::unique_ptr<QWidget> storageResult(LocNotifier& loc);
// A run that found too little space, over the older result.
std::unique_ptr<QWidget> storageFailed(LocNotifier& loc);

} // namespace ResultSamples
} // namespace zantiva
