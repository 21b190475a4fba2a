#pragma once

#include <functional>

#include "Model/FinalBenchmarkReport.h"

class QObject;

namespace zantiva {

// The last report, for a screen that shows it: each finished run changes it, so the screen
// hears of each change.
class ReportFeed {
public:
    virtual const FinalBenchmarkReport& report() const = 0;
    // Calls changed after each change of the report, for as long as context lives.
    virtual void watchReport(const QObject* context, std::function<void()> changed) const = 0;

protected:
    ~ReportFeed() = default;
};

} // namespace zantiva
