#include "Runners/StationOutcome.h"

namespace zantiva {

bool StationOutcome::fits(TestModule module) const {
    switch (module) {
    case TestModule::display: return std::holds_alternative<Display>(value) || std::holds_alternative<Skipped>(value);
    case TestModule::audio: return std::holds_alternative<Audio>(value);
    case TestModule::micCamera:
        return std::holds_alternative<MicCamera>(value) || std::holds_alternative<Bypassed>(value);
    case TestModule::input: return std::holds_alternative<Input>(value);
    case TestModule::cpuBenchmark:
    case TestModule::gpuBenchmark:
    case TestModule::ramTest:
    case TestModule::battery: return false;
    }
    return false;
}

} // namespace zantiva
