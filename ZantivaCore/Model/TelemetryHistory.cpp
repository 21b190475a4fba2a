#include "Model/TelemetryHistory.h"

#include <algorithm>
#include <cmath>

namespace zantiva {

TelemetryHistory::TelemetryHistory(int capacity) : capacity_(std::max(capacity, 1)) {}

void TelemetryHistory::append(double value) {
    values_.push_back(std::isfinite(value) ? value : 0.0);
    const auto excess = static_cast<std::ptrdiff_t>(values_.size()) - capacity_;
    if (excess > 0) values_.erase(values_.begin(), values_.begin() + excess);
}

std::optional<double> TelemetryHistory::latest() const {
    if (values_.empty()) return std::nullopt;
    return values_.back();
}

double TelemetryHistory::peak() const {
    return values_.empty() ? 0.0 : *std::max_element(values_.begin(), values_.end());
}

} // namespace zantiva
