#include <QCoreApplication>

#include <gtest/gtest.h>

// Window-free tests get an event loop for queued notifications, but no window system.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
