#pragma once

#include <string>
#include <vector>

#include "Model/DriveHealthReport.h"
#include "Palette/PaletteColor.h"

namespace zantiva {

class Loc;

// A coloured word on a pill: a drive's status.
struct BadgeValue {
    std::string text;
    PaletteColor background = PaletteColor::card;
    PaletteColor foreground = PaletteColor::text;

    bool operator==(const BadgeValue&) const = default;
};

// One line of text in its colour.
struct ColoredLine {
    std::string text;
    PaletteColor color = PaletteColor::text;

    bool operator==(const ColoredLine&) const = default;
};

struct DriveHealthDriveView {
    std::string name; // the drive's model, or its identifier without one (machine text)
    BadgeValue status;
    // The health facts joined with "  ·  " (empty when it reported none), or for a drive of
    // unknown status why: administrator rights weren't given, or it reported nothing.
    std::string summary;
    std::vector<ColoredLine> issues; // "• " and the issue's sentence

    bool operator==(const DriveHealthDriveView&) const = default;
};

// The drive-health card of the results and storage screens, top to bottom.
struct DriveHealthView {
    std::string title;
    std::vector<DriveHealthDriveView> drives; // in the report's order
    std::string unread;                       // why the list of drives couldn't be read; empty when it was
    std::string note;

    bool operator==(const DriveHealthView&) const = default;
};

namespace DriveHealthPresenter {

// The status word with its pill colours: no data on card grey, healthy cyan, caution
// olive yellow, failing crimson; the text is black on the accents.
BadgeValue statusBadge(DriveHealthStatus status, const Loc& loc);
// Life left, spare, temperature, hours, data written and media errors (only when there
// are any), each only when the drive reported it.
std::vector<std::string> facts(const DriveHealthInfo& drive, const Loc& loc);

// Whether a report has anything to show: a drive, or why no drive could be listed.
bool hasContent(const DriveHealthReport& report);

DriveHealthView present(const DriveHealthReport& report, const Loc& loc);

} // namespace DriveHealthPresenter
} // namespace zantiva
