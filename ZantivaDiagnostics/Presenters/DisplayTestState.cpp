#include "Presenters/DisplayTestState.h"

#include <cmath>
#include <numeric>

namespace zantiva {

bool DisplayTestState::advance() {
    Step next = step_;
    switch (step_.page) {
    case Page::intro: next = {Page::color, 0}; break;
    case Page::color:
        next = step_.color + 1 < static_cast<int>(sweep.size()) ? Step{Page::color, step_.color + 1} : Step{Page::deadPixel, 0};
        break;
    case Page::deadPixel:
        intervals_.clear();
        lastFrame_.reset();
        measuredHz_ = 0;
        next = {Page::refresh, 0};
        break;
    case Page::refresh: next = {Page::checklist, 0}; break;
    case Page::checklist: break;
    }
    if (next == step_) return false;
    step_ = next;
    return true;
}

void DisplayTestState::frameRendered(double seconds) {
    if (lastFrame_) {
        const double gap = seconds - *lastFrame_;
        if (gap > 0.001 && gap < 0.5) {
            intervals_.push_back(gap);
            if (intervals_.size() > meterWindow) intervals_.pop_front();
            measuredHz_ = static_cast<double>(intervals_.size()) / std::accumulate(intervals_.begin(), intervals_.end(), 0.0);
        }
    }
    lastFrame_ = seconds;
}

void DisplayTestState::setTicked(const std::string& issue, bool ticked) {
    if (ticked)
        ticked_.insert(issue);
    else
        ticked_.erase(issue);
}

std::optional<double> DisplayTestState::trustedRate(double measuredHz, double screenHz) {
    if (!(measuredHz > 0) || !std::isfinite(measuredHz)) return std::nullopt;
    if (screenHz > 0 && measuredHz > trustMargin * screenHz) return std::nullopt;
    return measuredHz;
}

DisplayTestResult DisplayTestState::result(double screenHz) const {
    DisplayTestResult result;
    for (const auto& entry : checklist)
        if (ticked_.contains(entry.issue)) result.issues.emplace_back(entry.issue);
    if (const auto rate = trustedRate(measuredHz_, screenHz)) result.measuredRefreshRateHz = std::round(*rate);
    return result;
}

} // namespace zantiva
