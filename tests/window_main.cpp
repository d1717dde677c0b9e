// The window's tests (window_*_test.cpp) in one program, which needs an application object
// before any test opens a window.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    // Tests never need a screen (Qt for Windows has only its own platform: a desktop).
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
