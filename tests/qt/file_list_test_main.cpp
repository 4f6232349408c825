#include <QApplication>
#include <gtest/gtest.h>

// Widgets need one application object for the whole run, also while ctest
// lists the tests without the offscreen platform set.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
