#include "CLI/GpuMode.h"

#include <filesystem>
#include <limits>
#include <string>

#include "CLI/PngEncoder.h"
#include "CLI/ProgressLine.h"
#include "CLI/ResultLines.h"
#include "CLI/RunCount.h"
#include "Engines/GPUBenchmarkError.h"
#include "Engines/GPURaymarchBenchmark.h"
#include "Platform/AtomicFile.h"

namespace zantiva {
namespace {

std::string stageText(const Loc& loc, const GpuRenderProgress& p) {
    switch (p.stage) {
    case GpuBenchmarkStage::initializing: return loc.t("Gpu.Stage.Initializing");
    case GpuBenchmarkStage::warmUp: return loc.f("Gpu.Stage.WarmUp", p.framesDone);
    case GpuBenchmarkStage::measuring: return loc.f("Gpu.Stage.Measuring", p.framesDone, p.framesInStage);
    case GpuBenchmarkStage::sustained: return loc.f("Gpu.Stage.Sustained", p.framesDone);
    }
    return {};
}

std::string progressText(const Loc& loc, const GpuRenderProgress& p, int run, int runs) {
    std::string text;
    if (runs > 1) text = std::to_string(run) + "/" + std::to_string(runs) + " · ";
    text += stageText(loc, p);
    if (p.stage != GpuBenchmarkStage::initializing)
        text += " · " + posixNumber(p.lastFrameMs, 1) + " " + loc.t("Gpu.FrameTime") + " · " + loc.t("Gpu.LiveScore") +
                " " + posixNumber(p.currentScore(), 1);
    return text + " · " + loc.t("Gpu.Elapsed") + " " + posixNumber(p.elapsedSeconds, 0) + " s";
}

} // namespace

int runGpuMode(const CommandLine& commandLine, CliContext& context) {
    return runGpuMode(commandLine, context, GPUBenchmarkConfiguration::standard());
}

int runGpuMode(const CommandLine& commandLine, CliContext& context, GPUBenchmarkConfiguration configuration) {
    const auto runs = runCount(commandLine);
    if (!runs) return printFailure(context.out, runCountProblem());
    if (commandLine.has("--bands")) {
        configuration.forcedBands = commandLine.wholeNumber("--bands", 1, std::numeric_limits<int>::max());
        if (!configuration.forcedBands) return printFailure(context.out, "--bands needs a whole number from 1");
    }
    const auto previewFile = commandLine.value("--preview");
    if (commandLine.has("--preview") && !previewFile) return printFailure(context.out, "--preview needs a file name");

    const GPURaymarchBenchmark engine(configuration, {}, {}, context.activity);
    std::optional<GpuPreviewImage> lastPreview;
    GPURaymarchBenchmark::Preview keepPreview;
    if (previewFile) keepPreview = [&lastPreview](const GpuPreviewImage& image) { lastPreview = image; };

    for (int run = 1; run <= *runs; ++run) {
        ProgressLine line(context.err, context.errIsTerminal, context.errColumns);
        GpuBenchmarkResult result;
        try {
            result = engine.run(
                0, [&](const GpuRenderProgress& p) { line.update(progressText(context.loc, p, run, *runs)); },
                keepPreview, CancelToken());
        } catch (const GPUBenchmarkError& error) {
            line.clear();
            return printFailure(context.out, context.loc.resolve(error.userMessage()));
        }
        line.clear();
        if (*runs > 1) printLine(context.out, "run", std::to_string(run));
        printResultLines(context.out, result.toJson());
        context.out.flush();
    }

    if (!previewFile) return 0;
    if (!lastPreview) return printFailure(context.out, "no preview image was rendered");
    const std::filesystem::path file = *previewFile;
    if (const auto error = writeFileAtomically(file, encodePng(lastPreview->width, lastPreview->height, lastPreview->rgba),
                                               FileAccess::userUmask))
        return printFailure(context.out, "could not write " + file.string() + ": " + error.message());
    return 0;
}

} // namespace zantiva
