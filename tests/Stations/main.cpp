#include <QApplication>
#include <gtest/gtest.h>

#include "Platform/ProcessEnd.h"

// Widget tests need an application; without a display they draw offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    // Ends as the program does, without the sound-server teardown that may abort at exit.
    zantiva::endProcess(RUN_ALL_TESTS());
}
