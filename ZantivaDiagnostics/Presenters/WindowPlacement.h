#pragma once

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

} // namespace WindowPlacementRule

} // namespace zantiva
