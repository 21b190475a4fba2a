#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <sched.h>

#include <QThread>

#include "../Support/FakeDesktopServices.h"
#include "App/DesktopActivity.h"

namespace zantiva {
namespace {

using testing::FakeLogin;
using testing::FakeScreenSaver;
using testing::PrivateBus;

// Both buses with their services, the fakes answering on a thread of their own.
class DesktopActivityTest : public ::testing::Test {
protected:
    void SetUp() override { thread_.start(); }
    void TearDown() override {
        thread_.quit();
        thread_.wait();
    }

    void publish(const QString& screenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver")) {
        login.publish(systemBus.address(), QStringLiteral("org.freedesktop.login1"),
                      QStringLiteral("/org/freedesktop/login1"), thread_);
        screenSaver.publish(sessionBus.address(), QStringLiteral("org.freedesktop.ScreenSaver"), screenSaverPath,
                            thread_);
    }

    std::shared_ptr<DesktopActivity> activity(
        std::chrono::milliseconds callLimit = DesktopActivity::defaultCallLimit) const {
        return std::make_shared<DesktopActivity>(systemBus.address(), sessionBus.address(), callLimit);
    }

    PrivateBus systemBus;
    PrivateBus sessionBus;

private:
    QThread thread_;

protected:
    FakeLogin login;
    FakeScreenSaver screenSaver;
};

TEST_F(DesktopActivityTest, HoldsSleepAndDisplayUntilTheHoldEnds) {
    publish();
    auto activity = this->activity();
    auto hold = activity->begin("Zantiva CPU benchmark", {.keepSystemAwake = true, .keepDisplayAwake = true});

    ASSERT_EQ(login.requests().size(), 1u);
    // The display kept awake keeps logind's idle too, so no idle action of the session starts.
    EXPECT_EQ(login.requests()[0],
              (QVariantList{"idle:sleep", "Zantiva Diagnostics", "Zantiva CPU benchmark", "block"}));
    EXPECT_EQ(login.openLocks(), 1);
    EXPECT_EQ(screenSaver.lastRequest(), (QVariantList{"Zantiva Diagnostics", "Zantiva CPU benchmark"}));
    EXPECT_TRUE(screenSaver.returned().empty());

    // The hold needs nothing more of the activity that took it.
    activity.reset();
    hold.reset();
    EXPECT_EQ(login.openLocks(true), 0);
    EXPECT_EQ(screenSaver.returned(), screenSaver.given());

    // Only the machine: sleep alone, and no screen-saver call.
    this->activity()->begin("Zantiva SSD speed test", {.keepSystemAwake = true, .keepDisplayAwake = false});
    ASSERT_EQ(login.requests().size(), 2u);
    EXPECT_EQ(login.requests()[1].first(), "sleep");
    EXPECT_EQ(screenSaver.given().size(), 1u);
}

TEST_F(DesktopActivityTest, FindsTheScreenSaverAtItsShortPath) {
    publish(QStringLiteral("/ScreenSaver"));
    activity()->begin("Zantiva GPU benchmark", {.keepSystemAwake = false, .keepDisplayAwake = true});
    EXPECT_EQ(screenSaver.calls(), (std::vector<QString>{"Inhibit /ScreenSaver", "UnInhibit /ScreenSaver"}));
    EXPECT_EQ(screenSaver.returned(), screenSaver.given());
    EXPECT_TRUE(login.requests().empty());
}

// The descriptors that `act` leaves open, counted on a thread with a table of descriptors of its
// own (unshare(CLONE_FILES)): what Qt's threads open and close meanwhile is not in it, and
// whatever the activity opens on the calling thread is.
std::set<std::string> descriptorsLeftOpenBy(const std::function<void()>& act) {
    const auto open = [] {
        std::set<std::string> names;
        std::error_code unreadable;
        for (std::filesystem::directory_iterator it("/proc/thread-self/fd", unreadable), end; !unreadable && it != end;
             it.increment(unreadable))
            names.insert(it->path().filename().string());
        return names;
    };
    std::set<std::string> left;
    std::thread([&] {
        ASSERT_EQ(::unshare(CLONE_FILES), 0);
        const auto before = open();
        act();
        std::ranges::set_difference(open(), before, std::inserter(left, left.end()));
    }).join();
    return left;
}

TEST_F(DesktopActivityTest, WithoutBusesOrServicesHoldsNothing) {
    const ActivityOptions both{.keepSystemAwake = true, .keepDisplayAwake = true};
    const QString nowhere = QStringLiteral("unix:path=/nonexistent/bus");
    for (const QString& address : {QString(), nowhere}) {
        DesktopActivity unreachable(address, address);
        std::unique_ptr<ActivityHold> hold;
        const auto held = descriptorsLeftOpenBy([&] { hold = unreachable.begin("Zantiva CPU benchmark", both); });
        EXPECT_NE(hold, nullptr);
        EXPECT_EQ(held, std::set<std::string>{}) << address.toStdString();
    }

    // Buses without the services: refused at once. Services that come up during the run
    // are given nothing back at its end, as nothing was taken from them.
    auto hold = activity()->begin("Zantiva CPU benchmark", both);
    publish();
    hold.reset();
    EXPECT_TRUE(screenSaver.calls().empty());
    EXPECT_TRUE(login.requests().empty());
    EXPECT_EQ(login.openLocks(), 0);
}

TEST_F(DesktopActivityTest, AServiceThatNeverAnswersCostsOnlyTheTimeLimit) {
    publish();
    login.answers = false;
    screenSaver.answers = false;
    const auto started = std::chrono::steady_clock::now();
    activity(std::chrono::milliseconds(100))
        ->begin("Zantiva CPU benchmark", {.keepSystemAwake = true, .keepDisplayAwake = true});
    // Qt's own limit would be 25 s a call.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    // A silent service is not asked again at its other path, and as nothing was taken,
    // nothing is given back.
    EXPECT_EQ(screenSaver.calls(), std::vector<QString>{"Inhibit /org/freedesktop/ScreenSaver"});
}

TEST_F(DesktopActivityTest, BeginsFromManyThreadsAtOnce) {
    publish();
    const auto activity = this->activity();
    std::vector<std::thread> runs;
    for (int i = 0; i < 8; ++i) {
        runs.emplace_back([&] {
            auto hold = activity->begin("Zantiva CPU benchmark", {.keepSystemAwake = true, .keepDisplayAwake = true});
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        });
    }
    for (auto& run : runs) run.join();
    EXPECT_EQ(login.requests().size(), 8u);
    EXPECT_EQ(login.openLocks(true), 0);
    const auto given = screenSaver.given();
    const auto returned = screenSaver.returned();
    EXPECT_EQ(std::set<uint>(given.begin(), given.end()).size(), 8u);
    EXPECT_EQ(std::multiset<uint>(returned.begin(), returned.end()), std::multiset<uint>(given.begin(), given.end()));
}

} // namespace
} // namespace zantiva
