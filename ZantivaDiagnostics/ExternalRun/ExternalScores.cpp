#include "ExternalRun/ExternalScores.h"

#include <algorithm>

#include <QPointer>

#include "Observation/ObservedValue.h"

namespace zantiva {
namespace {

// The fields that the step measures, taken from what it measured.
void takeMeasured(ExternalBenchmarkResult& into, const ExternalBenchmarkResult& measured,
                  const ExternalBenchmarkStep& step) {
    const bool cpuOfGeekbench = step.app == ExternalBenchmarkApp::geekbench && step.kind != ExternalTestKind::gpu;
    if (step.kind == ExternalTestKind::gpu) into.gpuScore = measured.gpuScore;
    if (step.kind == ExternalTestKind::cpuSingleCore || cpuOfGeekbench) into.singleCoreScore = measured.singleCoreScore;
    if (step.kind == ExternalTestKind::cpuMultiCore || cpuOfGeekbench) into.multiCoreScore = measured.multiCoreScore;
}

} // namespace

ExternalScores::ExternalScores(std::shared_ptr<ExternalBenchmarkStore> store,
                               GeekbenchResultPages::ReaderFactory readerFactory, QObject* parent)
    : QObject(parent), store_(std::move(store)), pages_(store_, std::move(readerFactory)) {
    takeStored();
}

bool ExternalScores::hasAnyScore() const {
    return std::ranges::any_of(scores_, [](const auto& entry) { return entry.second.hasAnyScore(); });
}

ExternalBenchmarkStore::ResultSave ExternalScores::record(const ExternalBenchmarkStep& step,
                                                          const ExternalBenchmarkResult& measured) {
    // Only what the step measured: a save that fails keeps this change and lays it over
    // what is stored at a later save, where the other scores may be newer.
    ExternalBenchmarkResult result{.recordedAt = std::chrono::system_clock::now()};
    takeMeasured(result, measured, step);
    ExternalBenchmarkStore::ResultSave stored = store_->setResult(result, step.app);
    takeStored();
    return stored;
}

QCoro::Task<ExternalBenchmarkResult> ExternalScores::readPage(std::string url, bool isGPU,
                                                              std::function<void()> needsUser, std::stop_token stop) {
    return pages_.read(std::move(url), isGPU, std::move(needsUser), std::move(stop));
}

QCoro::Task<> ExternalScores::recover(std::function<bool()> busy) {
    const QPointer<ExternalScores> self(this);
    recoveryStop_ = std::stop_source();
    auto recovering = pages_.recover(std::move(busy),
                                     [self](const ExternalBenchmarkResult&) {
                                         if (self) self->takeStored();
                                     },
                                     recoveryStop_.get_token());
    co_await recovering;
}

void ExternalScores::stopRecovery() { recoveryStop_.request_stop(); }

void ExternalScores::takeStored() {
    std::map<App, ExternalBenchmarkResult> scores;
    for (const App app : allCases<App>())
        if (const auto result = store_->settings(app).lastResult) scores[app] = *result;
    assignObserved(this, scores_, std::move(scores), &ExternalScores::changed);
}

} // namespace zantiva
