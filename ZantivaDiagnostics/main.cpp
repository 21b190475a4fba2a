#include <iostream>

#include <sys/ioctl.h>
#include <unistd.h>

#include "CLI/BenchmarkCLI.h"
#include "CLI/CommandLine.h"
#include "App/DesktopActivity.h"
#include "CLI/DumpHardware.h"
#include "Localization/Loc.h"

using namespace zantiva;

// Process entry: the windowless paths first, in their fixed order, then the window.
int main(int argc, char** argv) {
    const CommandLine commandLine(argc, argv);
    // The command line speaks English whatever the app's language: its lines are a
    // fixed format that scripts read.
    const Loc loc(AppLanguage::english);
    CliContext context{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, loc};
    if (winsize size{}; context.errIsTerminal && ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0)
        context.errColumns = size.ws_col;

    // The hardware dump (always status 0) is tried here, before the benchmark command line.
    if (commandLine.has(dumpHardwareOption)) {
        dumpHardware(std::cout);
        return 0;
    }
    // The engine modes keep the machine (and, for the CPU and GPU, the screen) awake
    // through the desktop, as the window's runs do.
    context.activity = std::make_shared<DesktopActivity>();
    if (auto status = runBenchmarkCommandLine(commandLine, context)) return *status;

    // No arguments, and no window yet: say what the program can do from here.
    std::cout << usageLine() << '\n';
    return 0;
}
