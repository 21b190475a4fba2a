#include "Presenters/WindowPlacement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zantiva::WindowPlacementRule {
namespace {

// The window with its frame around it.
WindowRect framed(const WindowRect& window, const FrameMargins& frame) {
    return {window.x - frame.left, window.y - frame.top, window.width + frame.left + frame.right,
            window.height + frame.top + frame.bottom};
}

// How far a window's start may go along one axis: its frame starts inside the area and ends
// inside it where it can, and where it can't the start (the title bar) stays in the area.
int keptStart(int start, int extent, int areaStart, int areaExtent) {
    return std::max(areaStart, std::min(start, areaStart + areaExtent - extent));
}

// The largest logical extent whose device pixels, rounded as Qt rounds them, fit in the least
// device extent that Qt would have shown as `logical`.
int scaledExtent(int logical, double scale) {
    const auto device = static_cast<std::int64_t>(std::ceil((logical - 0.5) * scale));
    auto extent = static_cast<std::int64_t>(std::floor((device + 0.5) / scale));
    while (extent > 0 && std::floor(extent * scale + 0.5) > device) --extent;
    return static_cast<int>(std::clamp<std::int64_t>(extent, 0, logical));
}

std::int64_t overlap(const WindowRect& a, const WindowRect& b) {
    const std::int64_t width = std::min<std::int64_t>(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const std::int64_t height = std::min<std::int64_t>(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}

// The squared distance between two rectangles that don't meet.
std::int64_t gapSquared(const WindowRect& a, const WindowRect& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, std::int64_t{a.x} - (b.x + b.width), std::int64_t{b.x} - (a.x + a.width)});
    const std::int64_t dy = std::max<std::int64_t>({0, std::int64_t{a.y} - (b.y + b.height), std::int64_t{b.y} - (a.y + a.height)});
    return dx * dx + dy * dy;
}

// How much of the rectangle the areas show, counting once what overlapping (mirrored) areas
// both show: the rectangle is cut along every edge of the areas, and each piece that an area
// holds counts.
std::int64_t shown(const WindowRect& rect, std::span<const WindowRect> areas) {
    std::vector<int> xs{rect.x, rect.x + rect.width}, ys{rect.y, rect.y + rect.height};
    for (const WindowRect& area : areas) {
        xs.push_back(std::clamp(area.x, rect.x, rect.x + rect.width));
        xs.push_back(std::clamp(area.x + area.width, rect.x, rect.x + rect.width));
        ys.push_back(std::clamp(area.y, rect.y, rect.y + rect.height));
        ys.push_back(std::clamp(area.y + area.height, rect.y, rect.y + rect.height));
    }
    for (auto* edges : {&xs, &ys}) {
        std::ranges::sort(*edges);
        edges->erase(std::ranges::unique(*edges).begin(), edges->end());
    }
    std::int64_t sum = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const WindowRect piece{xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]};
            const bool held = std::ranges::any_of(areas, [&piece](const WindowRect& area) {
                return area.x <= piece.x && piece.x + piece.width <= area.x + area.width && area.y <= piece.y &&
                       piece.y + piece.height <= area.y + area.height;
            });
            if (held) sum += std::int64_t{piece.width} * piece.height;
        }
    return sum;
}

// The window as it will be once the least size holds: grown from its top left corner.
WindowRect grownTo(const WindowRect& window, const WindowSize& least) {
    return {window.x, window.y, std::max(window.width, least.width), std::max(window.height, least.height)};
}

// Moved the least, and made only as much smaller as it takes, to lie inside the area with its frame.
WindowRect keepInside(const WindowRect& window, const FrameMargins& frame, const WindowRect& available) {
    const int width = std::min(window.width, std::max(1, available.width - frame.left - frame.right));
    const int height = std::min(window.height, std::max(1, available.height - frame.top - frame.bottom));
    const int outerWidth = width + frame.left + frame.right, outerHeight = height + frame.top + frame.bottom;
    return {keptStart(window.x - frame.left, outerWidth, available.x, available.width) + frame.left,
            keptStart(window.y - frame.top, outerHeight, available.y, available.height) + frame.top, width, height};
}

} // namespace

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

WindowRect scaledArea(const WindowRect& available, double scale) {
    if (!(scale > 1.0)) return available; // whole pixels: nothing is rounded
    return {available.x, available.y, scaledExtent(available.width, scale), scaledExtent(available.height, scale)};
}

std::size_t homeArea(const WindowRect& window, const FrameMargins& frame, std::span<const WindowRect> areas) {
    const WindowRect outer = framed(window, frame);
    const auto most = std::ranges::max_element(areas, {}, [&outer](const WindowRect& area) { return overlap(outer, area); });
    if (most != areas.end() && overlap(outer, *most) > 0) return static_cast<std::size_t>(most - areas.begin());
    const auto nearest = std::ranges::min_element(areas, {}, [&outer](const WindowRect& area) { return gapSquared(outer, area); });
    return nearest != areas.end() ? static_cast<std::size_t>(nearest - areas.begin()) : 0;
}

namespace {

// Grown to the area's least size, then moved the least and made only as much smaller as it
// takes to lie inside the area.
WindowPlacement keptInside(const WindowRect& window, const FrameMargins& frame, const WindowRect& area) {
    const WindowSize least = place(area, frame).minimum;
    return {keepInside(grownTo(window, least), frame, area), least};
}

} // namespace

WindowPlacement keepInSight(const WindowRect& window, const FrameMargins& frame, std::size_t own, std::span<const WindowRect> areas) {
    if (areas.empty()) return {window, contentMinimum};
    const WindowRect& home = areas[std::min(own, areas.size() - 1)];
    const WindowSize least = place(home, frame).minimum;
    const WindowRect grown = grownTo(window, least);
    const WindowRect outer = framed(grown, frame);
    if (outer.width > home.width || outer.height > home.height) return keptInside(window, frame, home);
    if (shown(outer, areas) >= std::int64_t{outer.width} * outer.height) return {grown, least};
    return keptInside(window, frame, areas[homeArea(grown, frame, areas)]);
}

} // namespace zantiva::WindowPlacementRule
