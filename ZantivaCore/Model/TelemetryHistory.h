#pragma once

#include <optional>
#include <vector>

namespace zantiva {

// The newest samples of one measure, oldest first, never more than the capacity; what
// the live charts draw. A non-finite sample is kept as 0.
class TelemetryHistory {
public:
    explicit TelemetryHistory(int capacity);

    void append(double value);

    int capacity() const { return capacity_; }
    const std::vector<double>& values() const { return values_; }
    std::optional<double> latest() const;
    double peak() const;   // 0 when empty

    bool operator==(const TelemetryHistory&) const = default;

private:
    int capacity_;
    std::vector<double> values_;
};

} // namespace zantiva
