#pragma once

#include <string>
#include <vector>

namespace zantiva {

// One score figure: a whole number, or an em dash when the score is missing.
struct ScoreFigure {
    std::string value; // machine text
    bool isMissing = false;
    std::string label;

    bool operator==(const ScoreFigure&) const = default;
};

// Scores side by side, each figure an equal share of the width.
struct ScoreRowView {
    std::vector<ScoreFigure> figures;
    bool reservesThirdColumn = false; // an empty third share, so that rows of two and three line up
    double size = 18;                 // of the figures

    bool operator==(const ScoreRowView&) const = default;
};

} // namespace zantiva
