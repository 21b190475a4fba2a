#include "ExternalRun/PageReaderProcess.h"

#include <QTimer>

#include "Localization/Loc.h"
#include "PageReader/PageReaderAnswer.h"
#include "Platform/CancelToken.h"
#include "Platform/Display.h"
#include "Platform/Log.h"
#include "Platform/ProgramFolder.h"

namespace zantiva {
namespace {

constexpr std::string_view logCategory = "external";

std::chrono::milliseconds deadline(const PageReaderSettings& settings, bool interactive) {
    // The last look at the page may come a round after each limit.
    const GeekbenchPageTiming& timing = settings.timing;
    const auto reading = interactive ? timing.quiet + timing.windowed + 2 * timing.round : timing.quiet + timing.round;
    return reading + settings.startAllowance;
}

// Clears the busy flag on every way out of a read, a throw included.
struct ReadingFlag {
    std::shared_ptr<bool> flag;
    explicit ReadingFlag(std::shared_ptr<bool> busy) : flag(std::move(busy)) { *flag = true; }
    ~ReadingFlag() { *flag = false; }
    ReadingFlag(const ReadingFlag&) = delete;
    ReadingFlag& operator=(const ReadingFlag&) = delete;
};

} // namespace

std::filesystem::path PageReaderSettings::installedProgram() { return besideThisProgram("zantiva-page-reader"); }

std::function<std::unique_ptr<GeekbenchScoreReading>()> PageReaderProcess::factory(const Loc& loc) {
    return [&loc] { return std::make_unique<PageReaderProcess>(loc); };
}

PageReaderProcess::PageReaderProcess(const Loc& loc, PageReaderSettings settings)
    : loc_(loc), settings_(std::move(settings)), launcher_(settings_.guard) {}

QCoro::Task<std::optional<ExternalBenchmarkResult>>
PageReaderProcess::read(QString address, bool isGPU, bool interactive, std::function<void()> onNeedsUser,
                        std::stop_token stop) {
    if (*isReading_) co_return std::nullopt;
    const ReadingFlag reading(isReading_);
    const auto lastFailure = lastFailure_;
    lastFailure->reset();
    // Logged with the address, and kept for the caller's failure line.
    const auto failed = [&](const std::string& why) {
        log::error(logCategory, why + " on " + address.toStdString());
        *lastFailure = why;
    };

    const PageReaderRequest request{.address = address.toStdString(),
                                    .isGPU = isGPU,
                                    .interactive = interactive,
                                    .language = loc_.language(),
                                    .site = settings_.site,
                                    .timing = settings_.timing,
                                    .verbose = settings_.verbose,
                                    .memoryMiB = settings_.memoryMiB};
    const auto onDiagnostic = settings_.verbose ? settings_.onDiagnostic : nullptr;
    std::optional<PageReaderAnswer::Line> answer;
    const auto onLine = [&](std::string_view text) {
        auto line = PageReaderAnswer::parse(text);
        if (!line) {
            if (onDiagnostic) onDiagnostic(text);
        } else if (std::holds_alternative<PageReaderAnswer::PersonAsked>(*line)) {
            if (interactive && onNeedsUser) onNeedsUser();
        } else {
            answer = std::move(line);
        }
    };

    // The caller's stop and the deadline both end the program with its whole group.
    std::stop_source ending;
    const std::stop_callback follow(stop, [&ending] { ending.request_stop(); });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&ending] { ending.request_stop(); });
    timer.start(deadline(settings_, interactive));

    ProcessExit exit;
    try {
        auto run = launcher_.run(ProcessRequest{settings_.program, request.arguments()}, onLine, ending.get_token());
        exit = co_await run;
    } catch (const CancellationError&) {
        if (stop.stop_requested()) throw;
        failed("the page reader outlasted its deadline");
        co_return std::nullopt;
    } catch (const ProcessLaunchError& error) {
        failed("couldn't start the page reader " + settings_.program.string() + ": " + error.what());
        co_return std::nullopt;
    }

    if (const auto* result = answer ? std::get_if<ExternalBenchmarkResult>(&*answer) : nullptr) co_return *result;
    if (!answer) {
        failed("the page reader ended without an answer (status " + std::to_string(exit.exitCode) + ")");
        co_return std::nullopt;
    }
    switch (std::get<PageReaderAnswer::NoScores>(*answer)) {
    case PageReaderAnswer::NoScores::unread: break;
    case PageReaderAnswer::NoScores::refusedAsRoot:
        failed("the web engine can't run as root unless QTWEBENGINE_DISABLE_SANDBOX is set");
        break;
    case PageReaderAnswer::NoScores::tooLarge:
        failed("the page took more than " + std::to_string(request.memoryMiB) + " MiB");
        break;
    case PageReaderAnswer::NoScores::noDisplay:
        failed("the page reader couldn't open the display (" + displaySettings() + ")");
        break;
    }
    co_return std::nullopt;
}

} // namespace zantiva
