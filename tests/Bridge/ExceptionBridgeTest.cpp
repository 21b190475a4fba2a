#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include <QCoro/QCoroTimer>
#include <QTimer>

#include "../Support/AwaitTask.h"
#include "Bridge/DetachedTask.h"
#include "Bridge/ExceptionCatcher.h"

namespace zantiva {
namespace {

struct NotAStandardException {};

// Records what reaches the application handler; removes the handler at the end.
class ApplicationHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ExceptionCatcher::setApplicationHandler([this](const CaughtException& caught) { reported.push_back(caught); });
    }
    void TearDown() override { ExceptionCatcher::setApplicationHandler({}); }

    std::vector<CaughtException> reported;
};

TEST(ExceptionCatcher, TurnsWhatABodyThrowsIntoAValue) {
    EXPECT_EQ(ExceptionCatcher::perform([] {}), std::nullopt);

    const auto standard = ExceptionCatcher::perform([] { throw std::out_of_range("index 7 past the end"); });
    EXPECT_EQ(standard, (CaughtException{"std::out_of_range", "index 7 past the end"}));
    EXPECT_EQ(standard->text(), "index 7 past the end");

    const auto other = ExceptionCatcher::perform([] { throw NotAStandardException(); });
    ASSERT_TRUE(other);
    EXPECT_EQ(other->name, "zantiva::(anonymous namespace)::NotAStandardException");
    EXPECT_EQ(other->reason, std::nullopt);
    EXPECT_EQ(other->text(), other->name);
}

TEST(ExceptionCatcher, OnlyTheLastInstalledHandlerHearsAReport) {
    int first = 0;
    int second = 0;
    ExceptionCatcher::setApplicationHandler([&](const CaughtException&) { ++first; });
    ExceptionCatcher::setApplicationHandler([&](const CaughtException&) { ++second; });
    ExceptionCatcher::report({"std::runtime_error", "boom"});
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);

    ExceptionCatcher::setApplicationHandler({});
    ExceptionCatcher::report({"std::runtime_error", "boom"});
    EXPECT_EQ(second, 1);
}

TEST(ExceptionCatcher, ReportsFromAnotherThreadWhileTheHandlerIsReplaced) {
    std::atomic<int> heard{0};
    const auto handler = [&](const CaughtException&) { ++heard; };
    ExceptionCatcher::setApplicationHandler(handler);
    constexpr int reports = 2000;
    std::thread reporter([] {
        for (int i = 0; i < reports; ++i) ExceptionCatcher::report({"std::runtime_error", "from a worker"});
    });
    for (int i = 0; i < reports; ++i) ExceptionCatcher::setApplicationHandler(handler);
    reporter.join();
    ExceptionCatcher::setApplicationHandler({});
    // Every report found a whole handler, old or new.
    EXPECT_EQ(heard.load(), reports);
}

TEST_F(ApplicationHandler, HearsAnExceptionThatEscapesAnEventHandlerAndTheAppGoesOn) {
    bool ranAfter = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("a slot failed"); });
    QTimer::singleShot(0, [&] { ranAfter = true; });
    ASSERT_TRUE(testing::runUntil([&] { return ranAfter; }));
    EXPECT_EQ(reported, (std::vector<CaughtException>{{"std::runtime_error", "a slot failed"}}));
}

QCoro::Task<> failsAfterWaiting() {
    auto wait = QCoro::sleepFor(std::chrono::milliseconds(5));
    co_await wait;
    throw std::logic_error("failed after a wait");
}

TEST_F(ApplicationHandler, HearsAnExceptionThatADetachedTaskLetsEscape) {
    detach(failsAfterWaiting());
    EXPECT_TRUE(reported.empty()); // the task is still waiting
    ASSERT_TRUE(testing::runUntil([&] { return !reported.empty(); }));
    EXPECT_EQ(reported, (std::vector<CaughtException>{{"std::logic_error", "failed after a wait"}}));
}

} // namespace
} // namespace zantiva
