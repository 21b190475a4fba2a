#include <gtest/gtest.h>

#include "Presenters/WindowPlacement.h"

using namespace zantiva;

namespace {

struct Case {
    const char* screen;
    WindowRect available;
    FrameMargins frame;
    WindowPlacement expected;
};

} // namespace

TEST(WindowPlacement, TheWindowAndItsFrameStayInsideTheAvailableArea) {
    const FrameMargins none{}, titleBar{1, 29, 1, 1};
    const Case cases[] = {
        {"1920x1080 at 1x", {0, 0, 1920, 1080}, none, {{240, 90, 1440, 900}, {1100, 720}}},
        {"the same under a title bar", {0, 0, 1920, 1080}, titleBar, {{240, 104, 1440, 900}, {1100, 720}}},
        {"a panel beside and above", {64, 27, 1856, 1053}, titleBar, {{272, 117, 1440, 900}, {1100, 720}}},
        // 1920x1080 at 1.5: the content's minimum height no longer fits under the title bar.
        {"1280x720", {0, 0, 1280, 720}, titleBar, {{1, 29, 1278, 690}, {1100, 690}}},
        {"1280x720 without a frame", {0, 0, 1280, 720}, none, {{0, 0, 1280, 720}, {1100, 720}}},
        // 1920x1080 at 2: smaller than the content's minimum both ways.
        {"960x540", {0, 0, 960, 540}, none, {{0, 0, 960, 540}, {960, 540}}},
        {"960x540 under a title bar", {0, 0, 960, 540}, titleBar, {{1, 29, 958, 510}, {958, 510}}},
        {"a second screen at 2", {960, 0, 960, 540}, none, {{960, 0, 960, 540}, {960, 540}}},
    };
    for (const auto& [screen, available, frame, expected] : cases) {
        EXPECT_EQ(WindowPlacementRule::place(available, frame), expected) << screen;
    }
}
