// The desktop's opener as the program runs it: a stand-in xdg-open on PATH answers.

#include <gtest/gtest.h>

#include <filesystem>

#include "../Support/AwaitTask.h"
#include "../Support/ProcessState.h"
#include "App/DesktopOpener.h"
#include "StandInOpener.h"

using namespace zantiva;
using namespace zantiva::testing;
using namespace std::chrono_literals;

namespace {

// The address reaches the opener as one argument, as it stands, whatever it holds; what the
// opener's exit says is the answer.
TEST(DesktopOpener, AnswersByTheOpenersExitStatus) {
    const QUrl page("https://zantiva.ir/my-account/?a=b c&d=$(touch x);e`f`");
    for (const auto& [ending, opens] : {std::pair{"exit 0", true}, {"exit 3", false}, {"kill -9 $$", false}}) {
        const StandInOpener opener(ending);
        EXPECT_EQ(awaitTask(desktopOpener()(page)), opens) << ending;
        EXPECT_EQ(opener.calls(), std::vector{"[" + page.toString(QUrl::FullyEncoded).toStdString() + "]"});
    }
}

TEST(DesktopOpener, WithoutAnOpenerNothingOpens) {
    const TemporaryFolder empty;
    const EnvironmentChange path("PATH", empty.path().string());
    EXPECT_FALSE(awaitTask(desktopOpener()(QUrl("https://zantiva.ir/"))));
}

// xdg-open's own fallback runs the browser and waits for it: that is an open browser, and the
// opener runs on until it ends, then is reaped.
TEST(DesktopOpener, AnOpenerStillRunningAfterThePatienceHasOpened) {
    const StandInOpener opener("sleep 1");
    EXPECT_TRUE(awaitTask(desktopOpener(100ms)(QUrl("https://zantiva.ir/"))));
    ASSERT_GT(opener.pid(), 0);
    EXPECT_FALSE(isGone(opener.pid())) << "the opener was not waited for";
    EXPECT_TRUE(runUntil([&] { return !std::filesystem::exists("/proc/" + std::to_string(opener.pid())); }, 10s))
        << "the opener was left a zombie";
}

} // namespace
