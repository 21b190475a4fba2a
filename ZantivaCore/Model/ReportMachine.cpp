#include "Model/ReportMachine.h"

#include "Model/SessionDeviceInfo.h"

namespace zantiva {

bool madeOnAnotherMachine(const FinalBenchmarkReport& report, const std::optional<SystemSpecs>& specs) {
    return report.specs && specs && SessionDeviceInfo::of(*report.specs).namesDiffer(*specs);
}

} // namespace zantiva
