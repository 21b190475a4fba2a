#pragma once

#include <string>

#include "Model/BenchmarkSession.h"

namespace zantiva {

class Loc;

// The saved run the card offers, and whether a run may start now.
struct ResumeCardState {
    BenchmarkSession session;
    bool canResume = false;
};

// The card of an unfinished run: how far it got, resume and discard. Resume follows the
// launcher's busy rule, so it is never a button that does nothing.
struct ResumeCardView {
    std::string title;
    std::string body;
    std::string resumeLabel;
    bool canResume = false;
    std::string discardLabel;
    std::string discardTip;

    bool operator==(const ResumeCardView&) const = default;
};

namespace ResumeCardPresenter {

ResumeCardView present(const ResumeCardState& state, const Loc& loc);

} // namespace ResumeCardPresenter
} // namespace zantiva
