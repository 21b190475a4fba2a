#pragma once

#include <QObject>
#include <QTimer>

// moc cannot read the C++20 concepts these headers hold, and needs none of them.
#ifndef Q_MOC_RUN
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include "Feeds/LiveTelemetryFeed.h"
#include "Probes/TelemetryFeed.h"
#include "Probes/TelemetrySampling.h"
#endif

namespace zantiva {

// The live sensor feed of the dashboard: once started, a main-thread timer asks for a
// snapshot at each interval; the sample is taken on one low-priority worker thread of its
// own and published here, into the latest snapshot and the CPU, RAM and GPU load
// histories. A tick that comes while the previous sample still runs is skipped. The
// sampler is made on the worker at the first start and kept for the object's life.
// Every getter has a …Changed signal that fires only on a real change. Main thread only,
// apart from sampler().
class LiveTelemetry : public QObject, public LiveTelemetryFeed {
    Q_OBJECT

public:
    using SamplerFactory = std::function<std::shared_ptr<TelemetrySampling>()>;

    // makeSampler empty: the machine's own sensors (HardwareTelemetry).
    explicit LiveTelemetry(SamplerFactory makeSampler = {}, QObject* parent = nullptr);
    // Waits for a sample under way; nothing is published after it.
    ~LiveTelemetry() override;

    // Starts sampling at the interval, the first sample at once; does nothing while running
    // (the first interval stays).
    void start(std::chrono::milliseconds interval);
    // A sample under way is not published; the histories keep their contents.
    void stop();

    const SensorSnapshot& latest() const override { return feed_.latest(); }
    const TelemetryHistory& cpuHistory() const override { return feed_.cpuHistory(); }
    const TelemetryHistory& ramHistory() const { return feed_.ramHistory(); }
    const TelemetryHistory& gpuHistory() const override { return feed_.gpuHistory(); }
    void watchReadings(const QObject* context, std::function<void()> changed) const override;
    bool isRunning() const { return isRunning_; }

    // The sampler, shared with whoever reads the sensors besides the feed (the CPU
    // benchmark); absent until the first start has made it. Any thread.
    std::shared_ptr<TelemetrySampling> sampler() const;

signals:
    void latestChanged();
    void cpuHistoryChanged();
    void ramHistoryChanged();
    void gpuHistoryChanged();
    void isRunningChanged();

private:
    void tick();
    void publish(std::uint64_t loop, const std::optional<SensorSnapshot>& snapshot);
    void work();

    SamplerFactory makeSampler_;
    TelemetryFeed feed_;
    QTimer timer_;
    bool isRunning_ = false;
    std::uint64_t loop_ = 0;  // counts the starts; a sample publishes only into its own loop
    bool sampling_ = false;   // a sample was asked for and has not come back

    // Shared with the worker.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<std::uint64_t> request_; // the loop a sample is wanted for
    bool stopping_ = false;
    std::shared_ptr<TelemetrySampling> sampler_;
    std::thread worker_;
};

} // namespace zantiva
