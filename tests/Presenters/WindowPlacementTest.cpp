#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <ostream>
#include <span>

#include "Presenters/WindowPlacement.h"

using namespace zantiva;

namespace zantiva {

void PrintTo(const WindowRect& rect, std::ostream* out) {
    *out << rect.width << "x" << rect.height << "+" << rect.x << "+" << rect.y;
}

} // namespace zantiva

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

namespace {

struct ScreensCase {
    const char* change;
    WindowRect window;
    FrameMargins frame;
    std::initializer_list<WindowRect> areas; // the screens' available areas after the change
    std::size_t own;                         // the window's screen, as the system says
    WindowRect expected;
};

} // namespace

TEST(WindowPlacement, AWindowIsBroughtBackInsideTheScreensLeftAndMovedNoMoreThanItTakes) {
    const FrameMargins none{}, titleBar{1, 29, 1, 1};
    const WindowRect laptop{0, 0, 1920, 1080}, monitor{1920, 0, 2560, 1440};
    const ScreensCase cases[] = {
        {"both screens still there", {2200, 200, 1440, 900}, titleBar, {laptop, monitor}, 1, {2200, 200, 1440, 900}},
        {"on the laptop, out of the way", {10, 40, 1440, 900}, titleBar, {laptop}, 0, {10, 40, 1440, 900}},
        // The monitor on the right unplugged: the window lay wholly on it, and now "is" on the laptop.
        {"monitor unplugged", {2200, 200, 1440, 900}, titleBar, {laptop}, 0, {479, 179, 1440, 900}},
        {"monitor unplugged, no frame", {2200, 200, 1440, 900}, none, {laptop}, 0, {480, 180, 1440, 900}},
        // A laptop undocked whose lid was shut: the monitor, now at the origin, is all that is left.
        {"laptop screen gone", {-1500, 100, 1440, 900}, titleBar, {{0, 0, 2560, 1440}}, 0, {1, 100, 1440, 900}},
        {"straddling two screens", {1800, 100, 1440, 900}, none, {laptop, monitor}, 1, {1800, 100, 1440, 900}},
        {"straddling, the monitor gone", {1800, 100, 1440, 900}, none, {laptop}, 0, {480, 100, 1440, 900}},
        // The screen above the monitor removed and the window given to the laptop: it comes down
        // to the nearest screen, not the one it was given.
        {"the nearer of two", {3000, -1200, 1440, 900}, none, {laptop, monitor}, 0, {3000, 0, 1440, 900}},
        {"taken to a smaller screen", {240, 90, 1440, 900}, none, {laptop, {1920, 0, 1024, 600}}, 1, {1920, 0, 1024, 600}},
        {"dragged half onto a smaller screen", {1700, 100, 800, 500}, none, {laptop, {1920, 0, 1024, 600}}, 1, {1700, 100, 800, 500}},
        {"resolution drop, half outside", {240, 90, 1440, 900}, titleBar, {{0, 0, 1280, 720}}, 0, {1, 29, 1278, 690}},
        {"resolution drop, still inside", {100, 100, 800, 500}, titleBar, {{0, 0, 1280, 720}}, 0, {100, 100, 800, 500}},
        {"resolution drop, mostly outside", {760, 300, 1100, 720}, none, {{0, 0, 1280, 720}}, 0, {180, 0, 1100, 720}},
        {"past the bottom and a panel at the top", {100, 900, 800, 500}, titleBar, {{0, 27, 1280, 693}}, 0, {100, 219, 800, 500}},
        {"above the top", {100, -300, 800, 500}, titleBar, {{0, 27, 1280, 693}}, 0, {100, 56, 800, 500}},
        // A window maximised on the larger screen, restored on the smaller one.
        {"restored larger than the screen", {0, 29, 1918, 1050}, titleBar, {{0, 0, 1366, 768}}, 0, {1, 29, 1364, 738}},
        {"smaller than its frame", {50, 50, 400, 300}, titleBar, {{0, 0, 200, 20}}, 0, {1, 29, 198, 1}},
        {"no screen known", {5000, 5000, 800, 500}, none, {}, 0, {5000, 5000, 800, 500}},
    };
    for (const auto& [change, window, frame, areas, own, expected] : cases) {
        const std::span<const WindowRect> left(areas.begin(), areas.size());
        EXPECT_EQ(WindowPlacementRule::keepInSight(window, frame, own, left), expected) << change;
    }
}

TEST(WindowPlacement, TheAreaIsCutToWhatSurelyFitsInDevicePixels) {
    struct ScaleCase {
        const char* screen;
        WindowRect available; // as Qt gives it in logical pixels
        double scale;
        WindowRect expected;
    };
    const ScaleCase cases[] = {
        {"1920x1080 at 1", {0, 0, 1920, 1080}, 1.0, {0, 0, 1920, 1080}},
        {"1920x1080 at 1.5", {0, 0, 1280, 720}, 1.5, {0, 0, 1280, 720}},
        // 1366 / 1.5 = 910.67, shown as 911; 911 * 1.5 = 1366.5 would take 1367.
        {"1366x768 at 1.5", {0, 0, 911, 512}, 1.5, {0, 0, 910, 512}},
        // 1366 / 2 = 683 exactly, but 1365 / 2 shows as 683 too, and 767 / 2 as 384.
        {"1366x768 at 2", {0, 0, 683, 384}, 2.0, {0, 0, 682, 383}},
        {"1366x768 at 1.25", {0, 0, 1093, 614}, 1.25, {0, 0, 1093, 613}},
        {"a second screen at 2", {1920, 0, 960, 540}, 2.0, {1920, 0, 959, 539}},
        {"below 1 is not cut", {0, 0, 2560, 1440}, 0.75, {0, 0, 2560, 1440}},
    };
    for (const auto& [screen, available, scale, expected] : cases) {
        const WindowRect area = WindowPlacementRule::scaledArea(available, scale);
        EXPECT_EQ(area, expected) << screen;
        EXPECT_LE(std::floor(area.width * scale + 0.5), std::ceil((available.width - 0.5) * scale)) << screen;
    }
}
