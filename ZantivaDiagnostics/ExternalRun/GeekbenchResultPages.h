#pragma once

#include <QCoro/QCoroTask>
#include <QObject>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include "External/ExternalBenchmarkStore.h"
#include "PageReader/GeekbenchScoreReading.h"
#endif

namespace zantiva {

// The scores on the result pages of uploaded Geekbench runs: read after a run, or at the
// next start for a page that could not be read then. The page reader is made when a page
// is first to be read. Main thread only.
class GeekbenchResultPages : public QObject {
    Q_OBJECT

public:
    using ReaderFactory = std::function<std::unique_ptr<GeekbenchScoreReading>()>;

    // readerFactory: empty, there is no reader and every page stays pending.
    GeekbenchResultPages(std::shared_ptr<ExternalBenchmarkStore> store, ReaderFactory readerFactory,
                         QObject* parent = nullptr);

    // The scores on the page of a run just uploaded; needsUser is called before a window asks
    // a person to pass the site's check. A page not read, a stop included, is kept pending
    // so the measured run is not lost; then throws CancellationError when stopped, else
    // ExternalBenchmarkError::geekbenchScoreUnreadable. When the pending link couldn't be
    // saved, stopped or not: ExternalBenchmarkError::geekbenchLinkNotSaved.
    QCoro::Task<ExternalBenchmarkResult> read(std::string url, bool isGPU, std::function<void()> needsUser,
                                              std::stop_token stop);
    // Reads the pending pages in turn, storing what each gives and handing it to recovered.
    // Stops, the rest left pending, once `stop` is requested or `busy` answers true.
    QCoro::Task<> recover(std::function<bool()> busy, std::function<void(const ExternalBenchmarkResult&)> recovered,
                          std::stop_token stop);

private:
    std::shared_ptr<GeekbenchScoreReading> reader();

    std::shared_ptr<ExternalBenchmarkStore> store_;
    ReaderFactory readerFactory_;
    std::shared_ptr<GeekbenchScoreReading> reader_;
};

} // namespace zantiva
