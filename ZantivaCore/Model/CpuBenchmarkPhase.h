#pragma once

#include <string_view>

#include "Model/RawValues.h"

namespace zantiva {

// The stage of a CPU benchmark run.
enum class CpuBenchmarkPhase { multiCore, singleCore, sustained };

template <> struct RawValues<CpuBenchmarkPhase> {
    static constexpr std::array<std::pair<CpuBenchmarkPhase, std::string_view>, 3> table{{
        {CpuBenchmarkPhase::multiCore, "multiCore"},
        {CpuBenchmarkPhase::singleCore, "singleCore"},
        {CpuBenchmarkPhase::sustained, "sustained"},
    }};
};

// The message key of the stage's label.
constexpr std::string_view localizationKey(CpuBenchmarkPhase phase) {
    switch (phase) {
    case CpuBenchmarkPhase::multiCore: return "Cpu.Phase.Multi";
    case CpuBenchmarkPhase::singleCore: return "Cpu.Phase.Single";
    case CpuBenchmarkPhase::sustained: return "Cpu.Phase.Sustained";
    }
    return {};
}

} // namespace zantiva
