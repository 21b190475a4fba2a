#include "Runners/StorageRunner.h"

#include <string>
#include <utility>

#include <QPointer>

#include "Engines/StorageBenchmarkEngine.h"
#include "Engines/StorageBenchmarkFailure.h"
#include "Platform/Log.h"
#include "Runners/ObservedField.h"

namespace zantiva {
namespace {
constexpr std::string_view category = "storage";
}

StorageRunner::StorageRunner(ResultStore store, std::shared_ptr<RunGate> gate, StorageRunnerConfiguration configuration,
                             QObject* parent)
    : QObject(parent), store_(std::move(store)), gate_(gate ? std::move(gate) : std::make_shared<RunGate>()),
      configuration_(std::move(configuration)) {}

StorageRunner::~StorageRunner() {
    engine_.cancelAndWait();
    if (isRunning_) gate_->leave();
}

void StorageRunner::start(const std::filesystem::path& folder) {
    if (isRunning_ || !gate_->tryEnter()) return;
    assignObserved(this, failure_, std::nullopt, &StorageRunner::failureChanged);
    assignObserved(this, progress_, std::nullopt, &StorageRunner::progressChanged);
    assignObserved(this, run_, 0, &StorageRunner::runChanged);
    assignObserved(this, isSettling_, false, &StorageRunner::isSettlingChanged);
    setRunning(true);
    if (const auto host = host_.lock()) host->setScreen(AppScreen::storage);
    execute(folder);
}

void StorageRunner::stop() {
    if (isRunning_) engine_.cancel();
}

QCoro::Task<> StorageRunner::execute(std::filesystem::path folder) {
    const QPointer<StorageRunner> self(this);
    const StorageBenchmarkEngine engine(configuration_.benchmark, configuration_.activity);
    std::optional<StorageBenchmarkResult> result;
    std::optional<LocalizedMessage> failure;
    try {
        auto measurement = engine_.run<StorageBenchmarkResult>(
            [this, engine, folder, drives = configuration_.drives](const CancelToken& cancel) {
                StorageBenchmarkResult measured = engine.run(
                    folder,
                    [this](const StorageBenchmarkProgress& p, int run, bool settling) {
                        QMetaObject::invokeMethod(
                            this,
                            [this, p, run, settling] {
                                assignObserved(this, progress_, p, &StorageRunner::progressChanged);
                                assignObserved(this, run_, run, &StorageRunner::runChanged);
                                assignObserved(this, isSettling_, settling, &StorageRunner::isSettlingChanged);
                            },
                            Qt::QueuedConnection);
                    },
                    cancel);
                measured.driveHealth = DriveHealthReader::read(drives);
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
        store_.saveStorageResult(*result);
        setResult(std::move(result));
    }
    if (failure) log::error(category, "storage test failed: " + failure->key());
    assignObserved(this, failure_, std::move(failure), &StorageRunner::failureChanged);
    assignObserved(this, isSettling_, false, &StorageRunner::isSettlingChanged);
    setRunning(false);
    gate_->leave();
}

void StorageRunner::setResult(std::optional<StorageBenchmarkResult> result) {
    assignObserved(this, result_, std::move(result), &StorageRunner::resultChanged);
}

void StorageRunner::setRunning(bool running) {
    assignObserved(this, isRunning_, running, &StorageRunner::isRunningChanged);
}

} // namespace zantiva
