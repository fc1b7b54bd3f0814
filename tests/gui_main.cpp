// Test entry point for the GL and application layers: one QApplication for the whole run.
#include <gtest/gtest.h>
#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Settings and runtime files of the tests never touch the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
