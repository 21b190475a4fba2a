#include <QGuiApplication>

#include "../Support/TestProgramEnd.h"

// Sound and camera need an application with an event loop; video frames need Qt Gui, which
// draws offscreen without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zantiva::testing::runTestsAndEnd<QGuiApplication>(argc, argv);
}
