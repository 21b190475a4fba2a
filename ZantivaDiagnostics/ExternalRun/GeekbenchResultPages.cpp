#include "ExternalRun/GeekbenchResultPages.h"

#include <chrono>
#include <optional>
#include <utility>

#include <QPointer>

#include "External/ExternalBenchmarkError.h"
#include "External/GeekbenchOutput.h"
#include "Platform/CancelToken.h"
#include "Platform/Log.h"

namespace zantiva {
namespace {

constexpr std::string_view category = "external";

} // namespace

GeekbenchResultPages::GeekbenchResultPages(std::shared_ptr<ExternalBenchmarkStore> store, ReaderFactory readerFactory,
                                           QObject* parent)
    : QObject(parent), store_(std::move(store)), readerFactory_(std::move(readerFactory)) {}

QCoro::Task<ExternalBenchmarkResult> GeekbenchResultPages::read(std::string url, bool isGPU,
                                                                std::function<void()> needsUser, std::stop_token stop) {
    const auto store = store_;
    std::optional<ExternalBenchmarkResult> read;
    bool cancelled = false;
    if (const auto reader = this->reader()) {
        try {
            auto reading = reader->read(QString::fromStdString(url), isGPU, true, std::move(needsUser), stop);
            read = co_await reading;
        } catch (const CancellationError&) {
            cancelled = true;
        } catch (const std::exception& error) {
            log::error(category, "couldn't read " + url + ": " + error.what());
        }
    }
    if (read) co_return *read;
    SaveResult kept =
        store->addPending(PendingGeekbenchResult{url, isGPU, std::chrono::system_clock::now()}, ExternalBenchmarkApp::geekbench);
    // A link that isn't kept is told even after a stop: it is the run's only trace.
    if (!kept.saved()) throw ExternalBenchmarkError::geekbenchLinkNotSaved(url, isGPU, std::move(kept));
    if (cancelled) throw CancellationError();
    throw ExternalBenchmarkError::geekbenchScoreUnreadable(url, isGPU);
}

QCoro::Task<> GeekbenchResultPages::recover(std::function<bool()> busy,
                                            std::function<void(const ExternalBenchmarkResult&)> recovered,
                                            std::stop_token stop) {
    const QPointer<GeekbenchResultPages> self(this);
    const auto store = store_;
    const std::vector<PendingGeekbenchResult> pending = store->settings(ExternalBenchmarkApp::geekbench).pendingResults;
    for (const PendingGeekbenchResult& entry : pending) {
        if (busy() || stop.stop_requested()) co_return;
        const auto reader = this->reader();
        if (!reader) co_return;
        // Only the result browser's own pages, over https.
        if (GeekbenchOutput::resultURL(entry.url) != entry.url) continue;
        std::optional<ExternalBenchmarkResult> read;
        try {
            auto reading = reader->read(QString::fromStdString(entry.url), entry.isGPU, false, {}, stop);
            read = co_await reading;
        } catch (const CancellationError&) {
            co_return; // a run began: this entry stays pending like the rest
        } catch (const std::exception& error) {
            log::error(category, "couldn't read " + entry.url + ": " + error.what());
        }
        if (!self) co_return;
        if (read) recovered(store->applyRecovered(*read, entry, ExternalBenchmarkApp::geekbench));
    }
}

std::shared_ptr<GeekbenchScoreReading> GeekbenchResultPages::reader() {
    if (!reader_ && readerFactory_) reader_ = readerFactory_();
    return reader_;
}

} // namespace zantiva
