#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <utility>

#include <QGuiApplication>
#include <QUrl>

#include <sys/ioctl.h>
#include <unistd.h>

#include "App/DesktopActivity.h"
#include "App/QuitSignals.h"
#include "App/SingleInstance.h"
#include "App/StartupId.h"
#include "App/WindowDescriptors.h"
#include "CLI/BenchmarkCLI.h"
#include "CLI/CommandLine.h"
#include "CLI/DumpHardware.h"
#include "CLI/ResultLines.h"
#include "CLI/WrittenOutput.h"
#include "Platform/Display.h"
#include "Platform/DescriptorSweep.h"
#include "Platform/NumericLocale.h"
#include "Platform/ProcessEnd.h"
#include "Platform/ProcessSurroundings.h"
#include "Platform/StandardStreams.h"
#include "Localization/Loc.h"
#include "LocalizedViews/LocNotifier.h"
#include "LocalizedViews/QtTranslation.h"
#include "Shell/AlreadyRunning.h"
#include "Shell/CompositionRoot.h"
#include "Shell/MainWindow.h"
#include "Shell/RootBinding.h"
#include "Shell/RootView.h"
#include "Bridge/DetachedTask.h"
#include "DisplayOpening/DisplayFailure.h"
#include "ReportingApplication.h"

using namespace zantiva;

namespace {

// A "zantiva:" link: what the desktop hands the program when the browser returns from a
// sign-in (the desktop entry's %u).
std::optional<QUrl> appLink(const std::string& word) {
    QUrl url(QString::fromLocal8Bit(word.c_str()));
    if (!url.isValid() || url.scheme() != QLatin1String("zantiva")) return std::nullopt;
    return url;
}

// The window's launch: no words at all, or one link alone.
bool opensWindow(const CommandLine& commandLine) {
    const auto& words = commandLine.arguments();
    return words.empty() || (words.size() == 1 && appLink(words.front()));
}

int runWindow(int argc, char** argv, const SingleInstance::Request& request) {
    if (const auto shortage = windowDescriptorShortage(descriptorLimit())) {
        std::cerr << "failed: " << *shortage << '\n';
        return 1;
    }
    // A display that can't be opened ends the launch in our words, with status 1.
    std::optional<DisplayFailure> displayFailure(std::in_place, [] {
        printFailure(std::cout, "can't open the display (" + displaySettings() + ")");
        std::cout.flush();
    }, 1);
    ReportingApplication application(argc, argv);
    displayFailure.reset();
    keepNumbersPosix();
    QGuiApplication::setDesktopFileName(QStringLiteral("zantiva-diagnostics"));

    // Listening starts before the model reads anything (the keyring first of all), so a
    // second launch finds this one at once; without a runtime folder the program runs alone.
    std::unique_ptr<SingleInstance> instance;
    if (auto folder = SingleInstance::defaultFolder()) {
        instance = std::make_unique<SingleInstance>(std::move(*folder));
        switch (instance->start(request)) {
        case SingleInstance::Role::primary:
            break;
        case SingleInstance::Role::handedOver:
            return 0;
        case SingleInstance::Role::unanswered:
            tellAlreadyRunning(instance->holder());
            return 1;
        }
    }
    // A quit by signal runs the same teardown as closing the window: the locals below go in
    // reverse order, the window first, then the model with its runners (engines cancelled
    // and joined, test files removed) and the live feed, then the socket and the lock.
    QuitSignals quitSignals;
    quitOnSignals(quitSignals);

    const std::unique_ptr<AppModel> model = buildAppModel();
    LocNotifier loc(model->loc());
    MainWindow window(loc);
    translateQtWithLanguage(loc, window);
    auto* root = new RootView(loc);
    window.setContent(root);
    const std::unique_ptr<ScreenWasherController> washer = buildScreenWasher(loc);
    bindRootView(*root, *model, loc, folderDialog(window, loc), externalAppDialog(window, loc),
                 [&washer](const ScreenWasherOptions& options, QScreen* screen) { washer->start(options, screen); });
    QObject::connect(&model->account(), &AccountModel::activationRequested, &window,
                     [&window] { window.bringToFront(); });
    if (request.link) model->account().handleIncomingURL(*request.link);
    // Whatever a later launch passes on, it brings the window back whole onto the screens, where
    // the user is.
    if (instance)
        instance->setReceiver([&](const SingleInstance::Request& later) {
            window.bringToFront(later.startupId);
            if (later.link) model->account().handleIncomingURL(*later.link);
        });
    window.show();
    // The handler is in place before any start-up work runs.
    model->watchForUnexpectedErrors();
    detach(model->start());
    return application.exec();
}

// The windowless paths in their fixed order; each answers with its exit status. Nothing here
// makes an application object except the mode that needs one.
int runWithoutWindow(const CommandLine& commandLine, const Loc& loc) {
    if (const auto information = programInformation(commandLine)) {
        std::cout << *information;
        return 0;
    }
    // The hardware dump (always status 0) is tried here, before the benchmark command line.
    if (commandLine.has(dumpHardwareOption)) {
        dumpHardware(std::cout);
        return 0;
    }
    // Outside a graphical session (a terminal over ssh, a service) say what runs from here.
    if (opensWindow(commandLine)) {
        std::cout << usageLine() << "\nfailed: no display to open the window on\n";
        return 1;
    }
    CliContext context{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, loc};
    if (winsize size{}; context.errIsTerminal && ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0)
        context.errColumns = size.ws_col;
    // The engine modes keep the machine (and, for the CPU and GPU, the screen) awake
    // through the desktop, as the window's runs do; the buses are reached once a run begins.
    context.activity = DesktopActivity::deferred();
    // Every other word is a mode's, or a usage error.
    return *runBenchmarkCommandLine(commandLine, context);
}

// The window when the words ask for it and there is a display to open it on, else the
// windowless paths, whose status holds only when all they printed was written.
int run(int argc, char** argv) {
    // Past a file-size limit (ulimit -f) a write then fails with EFBIG, which every writer
    // reports in its words, instead of the signal killing the program halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    // Standard error held first: settling says on it what it changed in the environment.
    holdClosedStandardStreams();
    settleIntoSurroundings();
    const WholeStandardWrites wholeWrites;
    const CommandLine commandLine(argc, argv);
    if (opensWindow(commandLine) && hasDisplay()) {
        const auto& words = commandLine.arguments();
        // The startup id is read before the application takes it out of the environment.
        return runWindow(argc, argv,
                         {words.empty() ? std::nullopt : appLink(words.front()), StartupId::ofThisLaunch()});
    }
    // The command line speaks English whatever the app's language: its lines are a fixed
    // format that scripts read.
    const Loc loc(AppLanguage::english);
    return statusOnceWritten(std::cout, std::cerr, loc, runWithoutWindow(commandLine, loc));
}

} // namespace

// Everything of the program's own is closed, written and joined when run returns.
int main(int argc, char** argv) { endProcess(run(argc, argv)); }
