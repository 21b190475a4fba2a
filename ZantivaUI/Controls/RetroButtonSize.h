#pragma once

#include <QtGlobal>

namespace zantiva {

// The metrics of a push button's face, in pixels.
struct RetroButtonSize {
    qreal fontSize;
    qreal horizontal; // padding left and right of the label
    qreal vertical;   // padding above and below the label
    qreal radius;

    bool operator==(const RetroButtonSize&) const = default;

    static const RetroButtonSize regular; // 14, 24, 12, 16: the default
    static const RetroButtonSize compact; // 12, 14, 7, 12: the only radius other than 16
    static const RetroButtonSize hero;    // 16, 28, 16, 16: the full run
    static const RetroButtonSize pill;    // 12, 16, 9, 16: the dashboard's smaller buttons
    static const RetroButtonSize bar;     // 14, 16, 8, 16: the header bar
    static const RetroButtonSize chip;    // 11, 10, 4, 16: the smallest controls

    static RetroButtonSize forCompact(bool compact) { return compact ? RetroButtonSize::compact : regular; }
};

inline constexpr RetroButtonSize RetroButtonSize::regular{14, 24, 12, 16};
inline constexpr RetroButtonSize RetroButtonSize::compact{12, 14, 7, 12};
inline constexpr RetroButtonSize RetroButtonSize::hero{16, 28, 16, 16};
inline constexpr RetroButtonSize RetroButtonSize::pill{12, 16, 9, 16};
inline constexpr RetroButtonSize RetroButtonSize::bar{14, 16, 8, 16};
inline constexpr RetroButtonSize RetroButtonSize::chip{11, 10, 4, 16};

} // namespace zantiva
