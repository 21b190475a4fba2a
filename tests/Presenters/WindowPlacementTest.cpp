#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <span>

#include "Presenters/WindowPlacement.h"

namespace zantiva {

// Failures name the rectangles, not their bytes.
void PrintTo(const WindowRect& rect, std::ostream* out) {
    *out << rect.width << 'x' << rect.height << (rect.x < 0 ? "" : "+") << rect.x << (rect.y < 0 ? "" : "+") << rect.y;
}
void PrintTo(const WindowPlacement& placement, std::ostream* out) {
    PrintTo(placement.geometry, out);
    *out << " at least " << placement.minimum.width << 'x' << placement.minimum.height;
}

} // namespace zantiva

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

// The screens left after one is unplugged, the resolution drops or a panel is added: the window
// comes back inside them, moved and shrunk no more than it takes.
TEST(WindowPlacement, AWindowIsBroughtBackInsideTheScreensLeftAndMovedNoMoreThanItTakes) {
    struct Case {
        const char* change;
        WindowRect window;
        FrameMargins frame;
        std::initializer_list<WindowRect> areas;
        std::size_t own; // the window's screen, as the system says
        WindowRect expected;
    };
    const FrameMargins none{}, titleBar{1, 29, 1, 1};
    const WindowRect laptop{0, 0, 1920, 1080}, monitor{1920, 0, 2560, 1440};
    const Case cases[] = {
        {"straddling two screens", {1800, 100, 1440, 900}, none, {laptop, monitor}, 1, {1800, 100, 1440, 900}},
        {"monitor unplugged", {2200, 200, 1440, 900}, titleBar, {laptop}, 0, {479, 179, 1440, 900}},
        {"laptop screen gone", {-1500, 100, 1440, 900}, titleBar, {{0, 0, 2560, 1440}}, 0, {1, 100, 1440, 900}},
        {"the nearer of two, not its own", {3000, -1200, 1440, 900}, none, {laptop, monitor}, 0, {3000, 0, 1440, 900}},
        {"taken to a smaller screen", {240, 90, 1440, 900}, none, {laptop, {1920, 0, 1024, 600}}, 1, {1920, 0, 1024, 600}},
        {"resolution drop, mostly outside", {760, 300, 1100, 720}, none, {{0, 0, 1280, 720}}, 0, {180, 0, 1100, 720}},
        {"above the top, under a panel", {100, -300, 1100, 663}, titleBar, {{0, 27, 1280, 693}}, 0, {100, 56, 1100, 663}},
        {"restored from maximised on a smaller screen", {0, 29, 1918, 1050}, titleBar, {{0, 0, 1366, 768}}, 0, {1, 29, 1364, 738}},
    };
    for (const auto& [change, window, frame, areas, own, expected] : cases) {
        const std::span<const WindowRect> left(areas.begin(), areas.size());
        EXPECT_EQ(WindowPlacementRule::keepInSight(window, frame, own, left).geometry, expected) << change;
    }
}

// The least size for the screen it ends on grows the window from its top left corner (a window
// that fitted a small scaled screen, taken to a large one): it is placed for that size.
TEST(WindowPlacement, TheWindowIsPlacedForTheSizeItsLeastSizeThereGivesIt) {
    struct Case {
        const char* change;
        WindowRect window;
        FrameMargins frame;
        WindowRect area;
        WindowPlacement expected;
    };
    const FrameMargins none{}, titleBar{1, 29, 1, 1};
    // 1920x1080 at 1.5; the window came from a 1280x720 screen beside it, which went away.
    const WindowRect large{0, 0, 1280, 720};
    const Case cases[] = {
        {"off a small screen that went away", {1281, 29, 851, 450}, titleBar, large, {{179, 29, 1100, 690}, {1100, 690}}},
        {"grown past its own screen's edge", {600, 100, 853, 480}, none, large, {{180, 0, 1100, 720}, {1100, 720}}},
        {"grown and still whole, where it is", {20, 0, 853, 480}, none, large, {{20, 0, 1100, 720}, {1100, 720}}},
    };
    for (const auto& [change, window, frame, area, expected] : cases)
        EXPECT_EQ(WindowPlacementRule::keepInSight(window, frame, 0, std::span(&area, 1)), expected) << change;
}

// A projector mirrors the laptop's screen: both screens show the same part of the desktop, which
// counts once.
TEST(WindowPlacement, WhatOverlappingScreensBothShowCountsOnce) {
    struct Case {
        const char* screens;
        WindowRect window;
        std::initializer_list<WindowRect> areas;
        std::size_t own;
        WindowRect expected;
    };
    const WindowRect projector{0, 0, 1280, 720};
    const Case cases[] = {
        {"mirrored at 1280x720", {300, 0, 1100, 720}, {projector, projector}, 0, {180, 0, 1100, 720}},
        {"mirrored, its own the projector", {300, 0, 1100, 720}, {{0, 0, 1920, 1080}, projector}, 1, {300, 0, 1100, 720}},
        {"overlapping by half", {1000, 0, 1100, 720}, {projector, {640, 0, 1280, 720}}, 0, {820, 0, 1100, 720}},
        {"overlapping, the window within both", {400, 0, 1100, 720}, {projector, {300, 0, 1280, 720}}, 0, {400, 0, 1100, 720}},
    };
    for (const auto& [screens, window, areas, own, expected] : cases) {
        const std::span<const WindowRect> shown(areas.begin(), areas.size());
        EXPECT_EQ(WindowPlacementRule::keepInSight(window, {}, own, shown).geometry, expected) << screens;
    }
}

// Qt rounds a scaled area to logical pixels: 1366 at 1.5 reads as 911, and 911 * 1.5 takes 1367.
TEST(WindowPlacement, TheAreaIsCutToWhatSurelyFitsInDevicePixels) {
    const struct {
        const char* screen;
        WindowRect available; // in logical pixels
        double scale;
        WindowRect expected;
    } cases[] = {
        {"1920x1080 at 1.5", {0, 0, 1280, 720}, 1.5, {0, 0, 1280, 720}},
        {"1366x768 at 1.5", {0, 0, 911, 512}, 1.5, {0, 0, 910, 512}},
        {"1366x768 at 2", {0, 0, 683, 384}, 2.0, {0, 0, 682, 383}},
        {"a second screen at 2", {1920, 0, 960, 540}, 2.0, {1920, 0, 959, 539}},
        {"below 1 is not cut", {0, 0, 2560, 1440}, 0.75, {0, 0, 2560, 1440}},
    };
    for (const auto& [screen, available, scale, expected] : cases)
        EXPECT_EQ(WindowPlacementRule::scaledArea(available, scale), expected) << screen;
}
