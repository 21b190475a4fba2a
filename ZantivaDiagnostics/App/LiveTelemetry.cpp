#include "App/LiveTelemetry.h"

#include <utility>

#include "Platform/NamedThread.h"
#include "Probes/HardwareTelemetry.h"
#include "Observation/ObservedValue.h"
#include "Bridge/ExceptionCatcher.h"

namespace zantiva {

LiveTelemetry::LiveTelemetry(SamplerFactory makeSampler, QObject* parent)
    : QObject(parent), makeSampler_(std::move(makeSampler)) {
    if (!makeSampler_) makeSampler_ = [] { return std::make_shared<HardwareTelemetry>(true); };
    connect(&timer_, &QTimer::timeout, this, &LiveTelemetry::tick);
}

LiveTelemetry::~LiveTelemetry() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    // A result the worker posted before it ended dies with this object's queued events.
    if (worker_.joinable()) worker_.join();
}

void LiveTelemetry::watchReadings(const QObject* context, std::function<void()> changed) const {
    for (const auto signal : {&LiveTelemetry::latestChanged, &LiveTelemetry::cpuHistoryChanged,
                              &LiveTelemetry::gpuHistoryChanged})
        connect(this, signal, context, changed);
}

void LiveTelemetry::start(std::chrono::milliseconds interval) {
    if (isRunning_) return;
    if (!worker_.joinable())
        worker_ = startNamedThread({"com.zantiva.live-telemetry", "zv-telemetry", ThreadQoS::utility}, [this] { work(); });
    ++loop_;
    timer_.start(interval);
    assignObserved(this, isRunning_, true, &LiveTelemetry::isRunningChanged);
    tick();
}

void LiveTelemetry::stop() {
    timer_.stop();
    assignObserved(this, isRunning_, false, &LiveTelemetry::isRunningChanged);
}

std::shared_ptr<TelemetrySampling> LiveTelemetry::sampler() const {
    const std::lock_guard lock(mutex_);
    return sampler_;
}

void LiveTelemetry::tick() {
    if (sampling_) return;
    sampling_ = true;
    {
        const std::lock_guard lock(mutex_);
        request_ = loop_;
    }
    wake_.notify_one();
}

void LiveTelemetry::publish(std::uint64_t loop, const std::optional<SensorSnapshot>& snapshot) {
    sampling_ = false;
    if (!isRunning_) return;
    // Taken for a loop that was stopped since: the running loop wants its own sample now.
    if (loop != loop_) return tick();
    if (!snapshot) return;
    const TelemetryHistory cpu = feed_.cpuHistory(), ram = feed_.ramHistory(), gpu = feed_.gpuHistory();
    const bool latestChanged = feed_.publish(*snapshot);
    if (latestChanged) emit this->latestChanged();
    if (feed_.cpuHistory() != cpu) emit cpuHistoryChanged();
    if (feed_.ramHistory() != ram) emit ramHistoryChanged();
    if (feed_.gpuHistory() != gpu) emit gpuHistoryChanged();
}

void LiveTelemetry::work() {
    for (;;) {
        std::uint64_t loop = 0;
        std::shared_ptr<TelemetrySampling> sampler;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || request_; });
            if (stopping_) return;
            loop = *std::exchange(request_, std::nullopt);
            sampler = sampler_;
        }
        std::optional<SensorSnapshot> snapshot;
        // A sampler that throws must not end the program from this thread: the failure goes
        // to the app's handler and the tick passes without a sample.
        const auto failure = ExceptionCatcher::perform([&] {
            if (!sampler) {
                sampler = makeSampler_();
                const std::lock_guard lock(mutex_);
                sampler_ = sampler;
            }
            snapshot = sampler->sample();
        });
        if (failure) ExceptionCatcher::report(*failure);
        QMetaObject::invokeMethod(this, [this, loop, snapshot] { publish(loop, snapshot); }, Qt::QueuedConnection);
    }
}

} // namespace zantiva
