#pragma once

#include <string>

#include "Model/TestModule.h"

namespace zantiva {

class Loc;

// The heading of a station card: the module's name over what its check does.
struct StationHeading {
    std::string title;
    std::string subtitle;

    bool operator==(const StationHeading&) const = default;
};

// The two buttons that close an interactive check.
struct VerdictView {
    std::string continueLabel;
    std::string issueLabel;
    bool canContinue = false; // Report Issue is always open

    bool operator==(const VerdictView&) const = default;
};

namespace StationFramePresenter {

StationHeading heading(TestModule module, const Loc& loc);
VerdictView verdict(bool canContinue, const Loc& loc);

} // namespace StationFramePresenter
} // namespace zantiva
