#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

// The window tests drive real widgets on Qt's offscreen platform. Their runtime
// directory is the build's own, so that the single-instance socket never meets
// a copy of the tool the user is running.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir().mkpath(QStringLiteral(QX9_TEST_RUNTIME_DIR));
    QFile::setPermissions(QStringLiteral(QX9_TEST_RUNTIME_DIR),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QX9_TEST_RUNTIME_DIR);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
