#pragma once

#include <QtGlobal>

namespace zantiva::Theme::Metric {

// Fixed lengths in device-independent pixels.
inline constexpr qreal borderWidth = 2;
inline constexpr qreal cardRadius = 20;
inline constexpr qreal controlRadius = 16;
inline constexpr qreal badgeRadius = 12;
inline constexpr qreal cardShadow = 6;
inline constexpr qreal controlShadow = 4;
inline constexpr qreal hoverLift = 2;
inline constexpr qreal cardPadding = 20;
inline constexpr qreal spacing = 16;

} // namespace zantiva::Theme::Metric
