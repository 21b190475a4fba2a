#include <QApplication>

#include "../../Support/TestProgramEnd.h"

// Widget tests need an application; without a display they draw offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zantiva::testing::runTestsAndEnd<QApplication>(argc, argv);
}
