#include "Runners/StorageRunner.h"

#include <string>
#include <utility>

#include <QPointer>

#include "Engines/StorageBenchmarkEngine.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Model/NotSavedNotice.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {
constexpr std::string_view category = "storage";
}

StorageRunner::StorageRunner(ResultStore store, std::shared_ptr<RunGate> gate, StorageRunnerConfiguration configuration,
                             QObject* parent)
    : Runner(std::move(gate), parent), store_(std::move(store)), configuration_(std::move(configuration)) {}

void StorageRunner::start(const std::filesystem::path& folder) {
    if (!beginRun()) return;
    assignObserved(this, failure_, std::nullopt, &StorageRunner::failureChanged);
    assignObserved(this, progress_, std::nullopt, &StorageRunner::progressChanged);
    assignObserved(this, run_, 0, &StorageRunner::runChanged);
    assignObserved(this, isSettling_, false, &StorageRunner::isSettlingChanged);
    emit runBegan();
    execute(folder);
}

void StorageRunner::stop() {
    if (isRunning()) cancelEngine();
}

QCoro::Task<> StorageRunner::execute(std::filesystem::path folder) {
    const QPointer<StorageRunner> self(this);
    const StorageBenchmarkEngine engine(configuration_.benchmark, configuration_.activity);
    // The engine's report, its measured run and whether it settles move together.
    const auto publish = [this](const StorageBenchmarkProgress& p, int run, bool settling) {
        onMainThread([this, p, run, settling] {
            assignObserved(this, progress_, p, &StorageRunner::progressChanged);
            assignObserved(this, run_, run, &StorageRunner::runChanged);
            assignObserved(this, isSettling_, settling, &StorageRunner::isSettlingChanged);
        });
    };
    std::optional<StorageBenchmarkResult> result;
    std::optional<LocalizedMessage> failure;
    try {
        auto measurement = runEngine<StorageBenchmarkResult>(
            [engine, folder, publish, drives = configuration_.drives](const CancelToken& cancel) {
                StorageBenchmarkResult measured = engine.run(folder, publish, cancel);
                measured.driveHealth = DriveHealthReader::read(drives, cancel);
                return measured;
            });
        result = co_await measurement;
    } catch (const CancellationError&) {
        log::info(category, "storage test stopped");
    } catch (const StorageBenchmarkFailure& error) {
        failure = error.userMessage();
    } catch (const std::exception& error) {
        failure = LocalizedMessage("Ssd.Error", std::string(error.what()));
    }
    if (!self) co_return;
    if (result) {
        const SaveResult saved = store_.saveStorageResult(*result);
        if (const auto host = host_.lock()) host->tellSave(SavedRecord::storageResult, saved);
        setResult(std::move(result));
    }
    if (failure) log::error(category, "storage test failed: " + failure->key());
    assignObserved(this, failure_, std::move(failure), &StorageRunner::failureChanged);
    assignObserved(this, isSettling_, false, &StorageRunner::isSettlingChanged);
    endRun();
}

void StorageRunner::setResult(std::optional<StorageBenchmarkResult> result) {
    assignObserved(this, result_, std::move(result), &StorageRunner::resultChanged);
}

} // namespace zantiva
