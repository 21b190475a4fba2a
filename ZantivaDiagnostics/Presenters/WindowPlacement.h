#pragma once

#include <cstddef>
#include <span>

namespace zantiva {

// Sizes and places in the screen's logical pixels, as Qt gives them after its scaling.
struct WindowSize {
    int width = 0;
    int height = 0;

    bool operator==(const WindowSize&) const = default;
};

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowRect&) const = default;
};

// What a window manager draws around the window (title bar, borders); none without one.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the main window's inside goes and how small the user may make it.
struct WindowPlacement {
    WindowRect geometry; // the window without its frame
    WindowSize minimum;

    bool operator==(const WindowPlacement&) const = default;
};

namespace WindowPlacementRule {

// What the window's content is made for, and the least it is laid out in.
inline constexpr WindowSize preferredSize{1440, 900};
inline constexpr WindowSize contentMinimum{1100, 720};

// The window and its frame within the screen's available area: the preferred size where there
// is room, never smaller than the content's minimum where the area allows it, never larger than
// the area (on a small or scaled screen the content then scrolls), centred in the area.
WindowPlacement place(const WindowRect& available, const FrameMargins& frame);

// The part of a screen's available area that a window surely fits in once it is scaled back to
// device pixels. Qt rounds the area to logical pixels (1366 device pixels at 1.5 read as 911)
// and a window's size on its own (911 at 1.5 takes 1367), so the area is cut to the sizes whose
// device pixels fit the least width and height it can stand for.
WindowRect scaledArea(const WindowRect& available, double scale);

// Of the screens' available areas (at least one), the one the window and its frame lie on most;
// where they lie on none (their screen went away, or moved), the nearest.
std::size_t homeArea(const WindowRect& window, const FrameMargins& frame, std::span<const WindowRect> areas);

// The window where the user left it while its own screen (`own`, as the system says) holds its
// size and it and its frame lie wholly on the screens' available areas, across two of them say
// (where mirrored screens overlap, the part they share counts once); else moved the least, and
// made only as much smaller as it takes, to lie inside an area: its own screen's where it is
// larger than that, else that of the screen it lies on most, or of the nearest one (its own went
// away, and the system gave it another). Its size is judged as it will be: no smaller than the
// least size for the area it ends on, which grows it from its top left corner.
WindowPlacement keepInSight(const WindowRect& window, const FrameMargins& frame, std::size_t own, std::span<const WindowRect> areas);

} // namespace WindowPlacementRule

} // namespace zantiva
