// The live feed's loop: one low-priority worker, skipped ticks, restarts and shutdown.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "../Support/AwaitTask.h"
#include "App/LiveTelemetry.h"
#include "Platform/NamedThread.h"

using namespace zantiva;
using namespace zantiva::testing;
using namespace std::chrono_literals;

namespace {

// Snapshots whose CPU load counts the samples (10, 20, …); a closed gate holds sample()
// until it opens. Notes the thread each call ran on.
class FakeSampler final : public TelemetrySampling {
public:
    SensorSnapshot sample() override {
        std::unique_lock lock(mutex_);
        const int call = ++calls_;
        thread_ = currentThreadName();
        nice_ = getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
        opened_.wait(lock, [&] { return open_; });
        ++returned_;
        SensorSnapshot snapshot;
        snapshot.cpuLoadPercent = 10.0 * call;
        return snapshot;
    }

    void setOpen(bool open) {
        {
            const std::lock_guard lock(mutex_);
            open_ = open;
        }
        opened_.notify_all();
    }
    int calls() const { return locked(calls_); }
    int returned() const { return locked(returned_); }
    std::string thread() const { return locked(thread_); }
    int nice() const { return locked(nice_); }

private:
    template <typename T> T locked(const T& value) const {
        const std::lock_guard lock(mutex_);
        return value;
    }

    mutable std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
    int calls_ = 0, returned_ = 0, nice_ = 0;
    std::string thread_;
};

// Gives the timer a chance to tick many times, for work that must not happen.
void letTicksPass() { runUntil([] { return false; }, 100ms); }

class LiveTelemetryTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeSampler> sampler = std::make_shared<FakeSampler>();
    int made = 0;
    std::string madeOn;
    std::unique_ptr<LiveTelemetry> telemetry = std::make_unique<LiveTelemetry>([this] {
        ++made;
        madeOn = currentThreadName();
        return sampler;
    });
};

TEST_F(LiveTelemetryTest, SamplesOnItsOwnLowPriorityThreadAndPublishesHere) {
    int latestChanges = 0, cpuChanges = 0, runningChanges = 0;
    QObject::connect(telemetry.get(), &LiveTelemetry::latestChanged, [&] { ++latestChanges; });
    QObject::connect(telemetry.get(), &LiveTelemetry::cpuHistoryChanged, [&] { ++cpuChanges; });
    QObject::connect(telemetry.get(), &LiveTelemetry::isRunningChanged, [&] { ++runningChanges; });
    EXPECT_FALSE(telemetry->sampler());

    telemetry->start(1h);
    EXPECT_TRUE(telemetry->isRunning());
    ASSERT_TRUE(runUntil([&] { return latestChanges == 1; })) << "the first sample comes at once";
    EXPECT_EQ(telemetry->latest().cpuLoadPercent, 10);
    EXPECT_EQ(telemetry->cpuHistory().values(), std::vector<double>{10});
    EXPECT_EQ(telemetry->gpuHistory().values(), std::vector<double>{0}) << "no GPU load counts as 0";
    EXPECT_EQ(cpuChanges, 1);
    EXPECT_EQ(telemetry->sampler(), sampler);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(madeOn, "zv-telemetry");
    EXPECT_EQ(sampler->thread(), "zv-telemetry");
    EXPECT_GE(sampler->nice(), niceLevel(ThreadQoS::utility, 0));

    telemetry->start(1ms);
    letTicksPass();
    EXPECT_EQ(sampler->calls(), 1) << "a second start keeps the first loop and interval";
    EXPECT_EQ(runningChanges, 1);

    telemetry->stop();
    EXPECT_FALSE(telemetry->isRunning());
    telemetry->start(1h);
    ASSERT_TRUE(runUntil([&] { return latestChanges == 2; }));
    EXPECT_EQ(telemetry->cpuHistory().values(), (std::vector<double>{10, 20})) << "the histories stay";
    EXPECT_EQ(made, 1) << "a restart reuses the sampler";
}

TEST_F(LiveTelemetryTest, TicksWaitForTheSampleUnderWayAndAStoppedLoopPublishesNothing) {
    sampler->setOpen(false);
    telemetry->start(1ms);
    ASSERT_TRUE(runUntil([&] { return sampler->calls() == 1; }));
    letTicksPass();
    EXPECT_EQ(sampler->calls(), 1) << "ticks are skipped while the sample runs";

    telemetry->stop();
    telemetry->start(1h);
    sampler->setOpen(true);
    // The first sample belonged to the stopped loop; the new loop takes its own.
    ASSERT_TRUE(runUntil([&] { return !telemetry->cpuHistory().values().empty(); }));
    letTicksPass();
    EXPECT_EQ(telemetry->cpuHistory().values(), std::vector<double>{20}) << "no sample was queued behind the slow one";
}

TEST_F(LiveTelemetryTest, DestructionWaitsForTheSampleUnderWay) {
    sampler->setOpen(false);
    telemetry->start(1h);
    ASSERT_TRUE(runUntil([&] { return sampler->calls() == 1; }));
    std::thread opener([&] {
        std::this_thread::sleep_for(50ms);
        sampler->setOpen(true);
    });
    telemetry.reset();
    EXPECT_EQ(sampler->returned(), 1);
    opener.join();
    QCoreApplication::processEvents(); // the sample's publication has nowhere to go
}

} // namespace
