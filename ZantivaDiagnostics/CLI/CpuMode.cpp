#include "CLI/CpuMode.h"

#include <memory>

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "CLI/RunCount.h"
#include "Engines/CPUBenchmarkEngine.h"
#include "Probes/HardwareTelemetry.h"

namespace zantiva {
namespace {

std::string progressText(const CpuBenchmarkProgress& p, int run, int runs) {
    std::string text = "cpu";
    if (runs > 1) text += " run " + std::to_string(run) + "/" + std::to_string(runs);
    text += ": " + std::string(rawValue(p.phase));
    if (p.phaseFraction) text += " " + std::to_string(static_cast<int>(*p.phaseFraction * 100)) + "%";
    text += ", score " + posixNumber(p.currentScore);
    return text;
}

} // namespace

int runCpuMode(const CommandLine& commandLine, CliContext& context) {
    return runCpuMode(commandLine, context, CPUWorkload::standard());
}

int runCpuMode(const CommandLine& commandLine, CliContext& context, CPUWorkload workload) {
    const auto runs = runCount(commandLine);
    if (!runs) return printFailure(context.out, runCountProblem());
    // The machine's own sensors give the peak temperature, thermal pressure and the load.
    auto sampler = std::make_shared<HardwareTelemetry>();
    const CPUBenchmarkEngine engine([sampler] { return std::optional<SensorSnapshot>(sampler->sample()); }, workload,
                                    std::nullopt, context.activity);
    for (int run = 1; run <= *runs; ++run) {
        ProgressLine line(context.err, context.errIsTerminal, context.errColumns);
        const CpuBenchmarkResult result = engine.run(
            0, [&](const CpuBenchmarkProgress& p) { line.update(progressText(p, run, *runs)); }, CancelToken());
        line.clear();
        if (*runs > 1) printLine(context.out, "run", std::to_string(run));
        printResultLines(context.out, result.toJson());
        context.out.flush();
    }
    return 0;
}

} // namespace zantiva
