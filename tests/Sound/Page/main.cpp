#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

// Widget tests need an application; without a display they draw offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // As in ../main.cpp: Qt Multimedia's teardown of the sound-server connection may abort at exit.
    std::fflush(nullptr);
    std::_Exit(result);
}
