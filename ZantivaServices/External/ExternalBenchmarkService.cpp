#include "External/ExternalBenchmarkService.h"

#include <array>
#include <optional>
#include <stdexcept>

#include <QTimer>

#include "Platform/CancelToken.h"
#include "External/CinebenchOutput.h"
#include "External/ExternalBenchmarkError.h"
#include "External/GeekbenchOutput.h"
#include "External/ToolOutputText.h"
#include "Model/SpecText.h"
#include "External/ToolProgress.h"

namespace zantiva {
namespace {

// The last lines a tool printed, shown with its error: a few, each cut short and marked
// so, however much the tool printed.
class OutputTail {
public:
    void add(std::string_view line) {
        std::string& kept = lines_[added_++ % maxLines];
        if (line.size() <= maxLineBytes) {
            kept.assign(line);
            return;
        }
        // Cut at a character's start, never inside a UTF-8 sequence.
        std::size_t cut = maxLineBytes;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        kept.assign(line.substr(0, cut)).append(cutMark);
    }
    std::string text() const {
        std::string out;
        for (std::size_t i = added_ > maxLines ? added_ - maxLines : 0; i < added_; ++i) {
            if (!out.empty()) out += '\n';
            out += lines_[i % maxLines];
        }
        return out;
    }

private:
    static constexpr std::size_t maxLines = 10;
    static constexpr std::size_t maxLineBytes = 200;
    static constexpr std::string_view cutMark = "\u2026";
    // A ring: the slots keep their buffers, so a long output allocates nothing per line.
    std::array<std::string, maxLines> lines_;
    std::size_t added_ = 0;
};

struct ToolRun {
    ProcessExit exit;
    std::string tail;
    bool unsupportedSystem = false;
};

using LineObserver = std::function<void(std::string_view)>;

// Runs one tool; every line goes to the console, the progress table and `observe`, except a
// last line that a crash or a stop may have cut short: that one is only shown.
QCoro::Task<ToolRun> runTool(std::shared_ptr<ExternalProcessRunning> launcher, std::string name, ProcessRequest request,
                             bool isCinebench, ExternalBenchmarkService::ProgressHandler progress,
                             ExternalBenchmarkService::ConsoleHandler console, LineObserver observe,
                             std::stop_token stop) {
    if (!launcher) throw std::invalid_argument("the outside-benchmark service has no launcher");
    ToolRun run;
    OutputTail tail;
    auto show = [&](std::string_view line) {
        if (console) console(std::string(line));
        tail.add(line);
    };
    auto onLine = [&](std::string_view line) {
        show(line);
        if (tooltext::isUnsupportedSystem(line)) run.unsupportedSystem = true;
        if (auto p = toolProgress(line, isCinebench); p && progress) progress(*p);
        observe(line);
    };
    request.onCutLine = show;
    std::optional<std::string> launchFailure;
    try {
        run.exit = co_await launcher->run(std::move(request), onLine, stop);
    } catch (const ProcessLaunchError& error) {
        launchFailure = error.what();
    }
    if (launchFailure) throw ExternalBenchmarkError::couldNotLaunch(name, *launchFailure);
    run.tail = tail.text();
    co_return run;
}

// A run that gave no score: why, from what it printed and how it ended.
[[noreturn]] void failWithoutScore(const std::string& name, const ToolRun& run) {
    if (run.unsupportedSystem) throw ExternalBenchmarkError::unsupportedSystem(name);
    if (run.exit.exitCode != 0) throw ExternalBenchmarkError::exited(name, run.exit.exitCode, run.tail);
    throw ExternalBenchmarkError::noScore(name, run.tail);
}

} // namespace

QCoro::Task<GeekbenchRunOutcome> ExternalBenchmarkService::runGeekbench(ExternalBenchmarkInstallation installation,
                                                                        std::filesystem::path executable, bool gpu,
                                                                        ProgressHandler progress, ConsoleHandler console,
                                                                        std::stop_token stop) const {
    const auto launcher = this->launcher;
    const auto uploadTimeout = this->uploadTimeout;
    const std::string name = installation.displayName();

    GeekbenchOutput::ScoreTable printed;
    std::optional<std::string> url, uploadFailure, uploadLine;

    // The tool is stopped by the caller, or by us when its upload takes too long.
    std::stop_source toolStop;
    std::stop_callback forward(stop, [&] { toolStop.request_stop(); });
    bool uploadTimedOut = false;
    QTimer uploadTimer;
    uploadTimer.setSingleShot(true);
    QObject::connect(&uploadTimer, &QTimer::timeout, [&] {
        uploadTimedOut = true;
        toolStop.request_stop();
    });

    auto observe = [&](std::string_view line) {
        if (auto score = GeekbenchOutput::printedScore(line)) printed[score->first] = score->second;
        if (!url) url = GeekbenchOutput::resultURL(line);
        if (GeekbenchOutput::isUploadFailure(line)) {
            uploadFailure = std::string(specText::trimmed(line));
        } else if (GeekbenchOutput::isUploadStart(line) && !uploadTimer.isActive()) {
            uploadLine = std::string(specText::trimmed(line));
            uploadTimer.start(uploadTimeout);
        }
    };

    ProcessRequest request{executable, {std::string(gpu ? "--gpu" : "--cpu")}};
    ToolRun run;
    bool stoppedForUpload = false;
    try {
        run = co_await runTool(launcher, name, std::move(request), false, progress, console, observe,
                               toolStop.get_token());
    } catch (const CancellationError&) {
        if (stop.stop_requested() || !uploadTimedOut) throw;
        stoppedForUpload = true;
    }
    if (stoppedForUpload) {
        if (url) co_return GeekbenchUpload{*url};
        throw ExternalBenchmarkError::geekbenchUploadFailed(uploadLine.value_or(""));
    }

    if (auto result = GeekbenchOutput::result(printed, gpu)) co_return *result;
    if (url) co_return GeekbenchUpload{*url};
    if (uploadFailure && !run.unsupportedSystem) throw ExternalBenchmarkError::geekbenchUploadFailed(*uploadFailure);
    failWithoutScore(name, run);
}

QCoro::Task<double> ExternalBenchmarkService::runCinebench(ExternalBenchmarkInstallation installation,
                                                           std::filesystem::path executable, ExternalTestKind kind,
                                                           ProgressHandler progress, ConsoleHandler console,
                                                           std::stop_token stop) const {
    if (kind == ExternalTestKind::gpu && !supportsGPU(installation.app))
        throw std::invalid_argument(std::string(zantiva::displayName(installation.app)) + " has no GPU test");
    const auto launcher = this->launcher;
    const std::string name = installation.displayName();
    ProcessRequest request{executable, CinebenchOutput::arguments(kind)};
    request.arguments.insert(request.arguments.end(), cinebenchExtraArguments.begin(), cinebenchExtraArguments.end());

    if (progress) {
        ExternalBenchmarkProgress indeterminate;
        indeterminate.isIndeterminate = true;
        progress(indeterminate);
    }
    std::optional<double> score;
    auto observe = [&](std::string_view line) {
        if (auto value = CinebenchOutput::score(line)) score = value;
    };
    ToolRun run = co_await runTool(launcher, name, std::move(request), true, progress, console, observe, stop);
    if (score) co_return *score;
    failWithoutScore(name, run);
}

} // namespace zantiva
