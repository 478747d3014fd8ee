#include <gtest/gtest.h>

#include <QApplication>

// The X11 desktop services against a real X server (CI starts Xvfb for them).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
