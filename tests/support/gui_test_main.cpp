#include "shell/widgets/look.h"

#include <QApplication>

#include <gtest/gtest.h>

// Window tests run without a display unless one is asked for.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    prepare_application(app);
    // Tests that need the program to end with its last window turn this on for themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
