#include "ReportingApplication.h"
#include "../Support/TestProgramEnd.h"

// The program's own application object, so that an exception escaping an event handler takes
// the path it takes in the program; without a display it draws offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    zantiva::testing::runTestsAndEnd<zantiva::ReportingApplication>(argc, argv);
}
