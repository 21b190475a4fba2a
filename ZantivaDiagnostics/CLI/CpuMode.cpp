#include "CLI/CpuMode.h"

#include <charconv>
#include <memory>

#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "Engines/CPUBenchmarkEngine.h"
#include "Probes/HardwareTelemetry.h"

namespace zantiva {
namespace {

constexpr int mostRuns = 1000;

std::string progressText(const CpuBenchmarkProgress& p, int run, int runs) {
    std::string text = "cpu";
    if (runs > 1) text += " run " + std::to_string(run) + "/" + std::to_string(runs);
    text += ": " + std::string(rawValue(p.phase));
    if (p.phaseFraction) text += " " + std::to_string(static_cast<int>(*p.phaseFraction * 100)) + "%";
    text += ", score " + posixNumber(p.currentScore);
    return text;
}

} // namespace

std::optional<int> cpuRunCount(const CommandLine& commandLine) {
    if (!commandLine.has("--runs")) return 1;
    const auto text = commandLine.value("--runs");
    if (!text) return std::nullopt;
    int runs = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), runs);
    if (error != std::errc() || end != text->data() + text->size() || runs < 1 || runs > mostRuns) return std::nullopt;
    return runs;
}

int runCpuMode(const CommandLine& commandLine, CliContext& context) {
    const auto runs = cpuRunCount(commandLine);
    if (!runs) return printFailure(context.out, "--runs needs a whole number from 1 to " + std::to_string(mostRuns));
    // The machine's own sensors give the peak temperature, thermal pressure and the load.
    auto sampler = std::make_shared<HardwareTelemetry>();
    const CPUBenchmarkEngine engine([sampler] { return std::optional<SensorSnapshot>(sampler->sample()); });
    for (int run = 1; run <= *runs; ++run) {
        ProgressLine line(context.err, context.errIsTerminal);
        const CpuBenchmarkResult result = engine.run(
            0, [&](const CpuBenchmarkProgress& p) { line.update(progressText(p, run, *runs)); }, CancelToken());
        line.clear();
        if (*runs > 1) context.out << "run: " << run << '\n';
        printResultLines(context.out, result.toJson());
        context.out.flush();
    }
    return 0;
}

} // namespace zantiva
