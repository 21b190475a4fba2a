#pragma once

#include <optional>

#include "Model/FinalBenchmarkReport.h"
#include "Model/SystemSpecs.h"

namespace zantiva {

// Whether a report was made on another machine than the one `specs` describe (an app
// folder restored or copied from it): a model or CPU name that both tell differs
// (SessionDeviceInfo::match). A report or specs without names to compare, or a name that
// only one side tells (a failed probe), count as this machine's. Such a report lends a run
// nothing, and its scores are never shown or exported as this machine's.
bool madeOnAnotherMachine(const FinalBenchmarkReport& report, const std::optional<SystemSpecs>& specs);

} // namespace zantiva
