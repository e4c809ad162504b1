#include "tests/support/offscreen_application.h"

#include <QApplication>

#include <gtest/gtest.h>

// Window tests run without a display unless one is asked for.
int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    // Tests that need the program to end with its last window turn this on for themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
