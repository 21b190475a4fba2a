#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <sys/prctl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoro/QCoroTask>

#include "DisplayOpening/DisplayFailure.h"
#include "Localization/Loc.h"
#include "PageReader/PageReaderAnswer.h"
#include "PageReader/PageReaderRequest.h"
#include "PageReader/WebEngineSandbox.h"
#include "PageReaderProgram/GeekbenchResultPageReader.h"
#include "PageReaderProgram/MemoryBound.h"
#include "Platform/Display.h"
#include "Platform/NumericLocale.h"

// The result-page reader program: the one program of ours that carries the web engine. The
// main program starts it for each read and reads its answer off its standard output; the
// grammar of both is in docs/outside-tools.md.

using namespace zantiva;

namespace {

void answer(const PageReaderAnswer::Line& line) { std::cout << PageReaderAnswer::print(line) << '\n' << std::flush; }

// Without --verbose nothing of the web engine's own logging (Chromium's diagnostics, the
// pages' console, Qt's notes) reaches anyone: standard error, which the engine's processes
// share with this one, goes nowhere.
void silenceStandardError() {
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nothing < 0) return;
    ::dup2(nothing, STDERR_FILENO);
    ::close(nothing);
}

QCoro::Task<> readInto(GeekbenchResultPageReader& reader, const PageReaderRequest& request,
                       std::optional<ExternalBenchmarkResult>& result) {
    auto read = reader.read(QString::fromStdString(request.address), request.isGPU, request.interactive,
                            [] { answer(PageReaderAnswer::PersonAsked{}); }, {});
    result = co_await read;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const auto request = PageReaderRequest::parse(words);
    if (!request) {
        std::cerr << "usage: zantiva-page-reader [--gpu] [--window] [--verbose] [--language en|fa] [--site URL] "
                     "[--round MS] [--quiet MS] [--windowed MS] [--memory MIB] -- URL\n";
        return 2;
    }
    // A starter that ends without stopping the read (a crash) ends it too: the web engine
    // shuts down on SIGTERM and its processes follow. A stop kills the whole process group the
    // starter made for this program.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (!request->verbose) silenceStandardError();
    if (webEngineRefusedAsRoot()) {
        answer(PageReaderAnswer::NoScores::refusedAsRoot);
        return 0;
    }

    if (!hasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The web engine shares its GL contexts with its windows'.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Qt sees the program's name alone: no word of the request is taken for one of its options.
    int qtArgc = 1;
    std::optional<DisplayFailure> displayFailure(std::in_place, [] { answer(PageReaderAnswer::NoScores::noDisplay); }, 0);
    QApplication application(qtArgc, argv);
    displayFailure.reset();
    keepNumbersPosix();
    const Loc loc(request->language);
    const QUrl site =
        request->site ? QUrl(QString::fromStdString(*request->site)) : GeekbenchResultPageReader::productionSite();
    // Past its memory bound the page is not read: the answer goes out at once and the program
    // ends without its teardown, which the guard it runs under finishes.
    boundMemory(request->memoryMiB * 1024 * 1024, [] {
        answer(PageReaderAnswer::NoScores::tooLarge);
        ::_exit(0);
    }, &application);
    GeekbenchResultPageReader reader(loc, site, request->timing);
    std::optional<ExternalBenchmarkResult> result;
    QCoro::waitFor(readInto(reader, *request, result));
    if (result)
        answer(*result);
    else
        answer(PageReaderAnswer::NoScores::unread);
    return 0;
}
