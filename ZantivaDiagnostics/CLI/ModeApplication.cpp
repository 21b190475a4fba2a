#include "CLI/ModeApplication.h"

#include <QGuiApplication>

#include "Platform/NumericLocale.h"

namespace zantiva {
namespace {

// Qt keeps the arguments for the application's whole life.
int argc = 1;
char name[] = "zantiva-diagnostics";
char* argv[] = {name, nullptr};
// The GUI application's: Qt's option for its platform, which wins over the environment's.
int guiArgc = 3;
char platformOption[] = "-platform";
char offscreen[] = "offscreen";
char* guiArgv[] = {name, platformOption, offscreen, nullptr};

std::unique_ptr<QCoreApplication> madeWithPosixNumbers(std::unique_ptr<QCoreApplication> application) {
    keepNumbersPosix();
    return application;
}

} // namespace

std::unique_ptr<QCoreApplication> makeModeApplication() {
    if (QCoreApplication::instance()) return nullptr;
    return madeWithPosixNumbers(std::make_unique<QCoreApplication>(argc, argv));
}

std::unique_ptr<QCoreApplication> makeGuiModeApplication() {
    if (QCoreApplication::instance()) return nullptr;
    return madeWithPosixNumbers(std::make_unique<QGuiApplication>(guiArgc, guiArgv));
}

} // namespace zantiva
