#include "Presenters/WindowPlacement.h"

#include <algorithm>

namespace zantiva::WindowPlacementRule {

WindowPlacement place(const WindowRect& available, const FrameMargins& frame) {
    const int roomWidth = std::max(1, available.width - frame.left - frame.right);
    const int roomHeight = std::max(1, available.height - frame.top - frame.bottom);
    const WindowSize minimum{std::min(contentMinimum.width, roomWidth), std::min(contentMinimum.height, roomHeight)};
    const int width = std::min(preferredSize.width, roomWidth);
    const int height = std::min(preferredSize.height, roomHeight);
    // The frame, not only the inside, is centred: the title bar stays on the screen.
    const int frameX = available.x + (available.width - (width + frame.left + frame.right)) / 2;
    const int frameY = available.y + (available.height - (height + frame.top + frame.bottom)) / 2;
    return {{frameX + frame.left, frameY + frame.top, width, height}, minimum};
}

} // namespace zantiva::WindowPlacementRule
