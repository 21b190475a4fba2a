#pragma once

#include <QCoro/QCoroTask>
#include <QObject>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <functional>
#include <map>
#include <memory>
#include <stop_token>
#include <string>
#include "External/ExternalBenchmarkPlan.h"
#include "External/ExternalBenchmarkStore.h"
#include "ExternalRun/GeekbenchResultPages.h"
#endif

namespace zantiva {

// The last scores of each outside benchmark application, as the store keeps them, and the
// result pages of uploads still to be read for them. Every change of the scores fires
// `changed`, once. Main thread only.
class ExternalScores : public QObject {
    Q_OBJECT

public:
    using App = ExternalBenchmarkApp;

    // Shows the stored scores at once.
    ExternalScores(std::shared_ptr<ExternalBenchmarkStore> store, GeekbenchResultPages::ReaderFactory readerFactory,
                   QObject* parent = nullptr);

    const std::map<App, ExternalBenchmarkResult>& all() const { return scores_; }
    bool hasAnyScore() const;

    // Stores what the step measures from `measured` over the application's scores as they are
    // stored then (a page read at start-up, or another process, may have added some while the
    // tool ran); the scores shown are then the store's, with what other processes stored.
    // Whether they were stored (they are shown all the same), and whose scores reported as not
    // saved before this save wrote after all.
    ExternalBenchmarkStore::ResultSave record(const ExternalBenchmarkStep& step,
                                              const ExternalBenchmarkResult& measured);

    // The scores on the page of a run just uploaded (GeekbenchResultPages::read).
    QCoro::Task<ExternalBenchmarkResult> readPage(std::string url, bool isGPU, std::function<void()> needsUser,
                                                  std::stop_token stop);
    // Start-up: reads the pages of uploads whose scores were not read during their run, until
    // `busy` answers true or stopRecovery(); an entry not read stays pending.
    QCoro::Task<> recover(std::function<bool()> busy);
    void stopRecovery();

signals:
    void changed();

private:
    // The scores as the store holds them now.
    void takeStored();

    std::shared_ptr<ExternalBenchmarkStore> store_;
    GeekbenchResultPages pages_;
    std::map<App, ExternalBenchmarkResult> scores_;
    std::stop_source recoveryStop_;
};

} // namespace zantiva
