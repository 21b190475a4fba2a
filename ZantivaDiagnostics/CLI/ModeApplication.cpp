#include "CLI/ModeApplication.h"

#include <QGuiApplication>

#include "Platform/Display.h"
#include "Platform/NumericLocale.h"

namespace zantiva {
namespace {

// Qt keeps the arguments for the application's whole life.
int argc = 1;
char name[] = "zantiva-diagnostics";
char* argv[] = {name, nullptr};

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
    if (!hasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");
    return madeWithPosixNumbers(std::make_unique<QGuiApplication>(argc, argv));
}

} // namespace zantiva
