#include "External/CinebenchOutput.h"

#include "External/ToolOutputText.h"
#include "Model/SpecText.h"

namespace zantiva::CinebenchOutput {

std::optional<double> score(std::string_view line) {
    line = specText::trimmed(line);
    if (line.substr(0, 3) != "CB ") return std::nullopt;
    std::string_view rest = specText::trimmed(line.substr(3));
    return tooltext::score(rest.substr(0, rest.find_first_of(" \t")));
}

std::vector<std::string> arguments(ExternalTestKind kind) {
    switch (kind) {
    case ExternalTestKind::cpuSingleCore: return {"g_CinebenchCpu1Test=true"};
    case ExternalTestKind::cpuMultiCore: return {"g_CinebenchCpuXTest=true"};
    case ExternalTestKind::gpu: return {"g_CinebenchGpuTest=true"};
    }
    return {};
}

} // namespace zantiva::CinebenchOutput
