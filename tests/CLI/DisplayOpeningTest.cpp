// The program started with a display that can't be opened: the window ends in our words,
// and the resource check, which needs no display, runs all the same.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "../Support/EnvironmentChange.h"
#include "Platform/BoundedProcess.h"

namespace zantiva {
namespace {

struct Display {
    std::optional<std::string> x11, wayland, platform;
    std::string named; // how the failure names it
};

// No X server listens on this display, nor a Wayland compositor on this socket.
const Display unreachable[] = {
    {":4711", std::nullopt, std::nullopt, "DISPLAY=:4711"},
    {std::nullopt, "wayland-4711", std::nullopt, "WAYLAND_DISPLAY=wayland-4711"},
    {std::nullopt, std::nullopt, "bogus", "QT_QPA_PLATFORM=bogus"},
};

BoundedProcessResult runOn(const Display& display, const std::string& word) {
    const testing::EnvironmentChange x11("DISPLAY", display.x11), wayland("WAYLAND_DISPLAY", display.wayland),
        platform("QT_QPA_PLATFORM", display.platform), session("XDG_SESSION_TYPE", std::nullopt);
    std::vector<std::string> arguments{ZANTIVA_PROGRAM};
    if (!word.empty()) arguments.push_back(word);
    const auto run = runBoundedProcess(arguments, std::chrono::seconds(60));
    return run ? *run : BoundedProcessResult{};
}

TEST(DisplayOpening, AWindowWithoutAReachableDisplayFailsInOurWordsAndTheResourceCheckStillRuns) {
    ASSERT_FALSE(std::filesystem::exists("/tmp/.X11-unix/X4711"));
    for (const Display& display : unreachable) {
        const auto window = runOn(display, "");
        EXPECT_EQ(window.exitStatus, 1) << display.named;
        EXPECT_EQ(window.output, "failed: can't open the display (" + display.named + ")\n");

        const auto resources = runOn(display, "--check-resources");
        EXPECT_EQ(resources.exitStatus, 0) << display.named << ": " << resources.output;
        EXPECT_NE(resources.output.find("fonts: 7\n"), std::string::npos) << resources.output;
    }
}

} // namespace
} // namespace zantiva
