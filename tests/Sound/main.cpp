#include <QCoreApplication>
#include <gtest/gtest.h>

// The players need an event loop; the tests that sound run under scripts/with-services.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
