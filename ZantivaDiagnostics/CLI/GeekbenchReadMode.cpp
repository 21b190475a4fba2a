#include "CLI/GeekbenchReadMode.h"

#include <memory>
#include <optional>

#include "CLI/ModeApplication.h"
#include "CLI/ResultLines.h"
#include "ExternalRun/PageReaderProcess.h"
#include "PageReader/WebEngineSandbox.h"
#include "Platform/Display.h"

namespace zantiva {
namespace {

QCoro::Task<> readInto(GeekbenchScoreReading& reader, const std::string& address, bool window, std::ostream& out,
                       std::optional<ExternalBenchmarkResult>& result) {
    const bool isGPU = address.find("/gpu/") != std::string::npos || address.find("/compute/") != std::string::npos;
    const auto onNeedsUser = [&out] {
        out << "the site is asking for a person: showing the page in a window\n" << std::flush;
    };
    auto read = reader.read(QString::fromStdString(address), isGPU, window, onNeedsUser, {});
    result = co_await read;
}

} // namespace

int runGeekbenchRead(CliContext& context, GeekbenchScoreReading& reader, const std::string& address, bool window) {
    std::optional<ExternalBenchmarkResult> result;
    QCoro::waitFor(readInto(reader, address, window, context.out, result));
    if (!result) {
        const auto why = reader.lastFailure();
        return printFailure(context.out, "no scores could be read from " + address + (why ? ": " + *why : ""));
    }
    printResultLines(context.out, result->toJson());
    return 0;
}

int runGeekbenchReadMode(const CommandLine& commandLine, CliContext& context) {
    const auto address = commandLine.value("--geekbench-read");
    if (!address) return printFailure(context.out, "--geekbench-read needs a result page address");
    const bool window = commandLine.has("--window");
    if (window && !hasDisplay()) return printFailure(context.out, "no display to show the window on");
    if (webEngineRefusedAsRoot())
        return printFailure(context.out, "the web engine can't run as root unless QTWEBENGINE_DISABLE_SANDBOX is set");

    // The reader program shows the window and runs the web engine; this process only waits.
    const auto application = makeModeApplication();
    PageReaderSettings settings;
    settings.verbose = commandLine.has("--verbose");
    // The page's console lines hold whatever the page logged: escaped, as every printed value is.
    settings.onDiagnostic = [&context](std::string_view line) { context.err << lineText(line) << '\n' << std::flush; };
    PageReaderProcess reader(context.loc, std::move(settings));
    return runGeekbenchRead(context, reader, *address, window);
}

} // namespace zantiva
