#include <QCoreApplication>

#include "../Support/TestProgramEnd.h"

// The players need an event loop; the tests that sound run under scripts/with-services.
int main(int argc, char** argv) {
    zantiva::testing::runTestsAndEnd<QCoreApplication>(argc, argv);
}
