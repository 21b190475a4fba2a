#pragma once

#include <optional>

#include "Model/FinalBenchmarkReport.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// Whether a report was made on another machine than the one `specs` describe (an app
// folder restored or copied from it): a model or CPU name that both tell differs, whatever
// the other name tells (SessionDeviceInfo::namesDiffer). A report or specs without names to
// compare, or names that only one side tells (a failed probe) and none that differ, count as
// this machine's. Such a report lends a run nothing, and its scores are never shown or
// exported as this machine's.
bool madeOnAnotherMachine(const FinalBenchmarkReport& report, const std::optional<SystemSpecs>& specs);

} // namespace zantiva
