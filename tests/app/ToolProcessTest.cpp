#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "CUpdaterApp.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"

// The real qx9-config, started as a process of its own.
namespace qx9 {
namespace {

struct Finished {
    int exitCode = -1;
    QString output;
};

// Runs the tool and keeps this process's event loop turning meanwhile, so that
// a copy running in here can answer it.
Finished RunTool(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(QX9_TOOL_BINARY), arguments);
    EXPECT_TRUE(tool.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << tool.readAllStandardError().toStdString();
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput())};
}

struct AnswerCase {
    const char* name;
    const char* argument;
    const char* startsWith;
};

class ToolCommandLineTest : public ::testing::TestWithParam<AnswerCase> {};

// With a window system that cannot even start, the answer still comes: no
// window is involved.
TEST_P(ToolCommandLineTest, PrintsAndEndsWithoutAWindow) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "no-such-platform");

    const Finished finished = RunTool({QString::fromUtf8(GetParam().argument)}, environment);

    EXPECT_EQ(finished.exitCode, 0);
    EXPECT_TRUE(finished.output.startsWith(QString::fromUtf8(GetParam().startsWith)))
        << finished.output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Arguments, ToolCommandLineTest,
                         ::testing::Values(AnswerCase{"Help", "--help", "Usage: qx9-config"},
                                           AnswerCase{"Version", "--version", "qx9-config 1."}),
                         test::CaseName{});

using SecondCopyTest = test::MainWindowFixture;

TEST_F(SecondCopyTest, AsksTheRunningCopyToComeForwardAndEnds) {
    PlugMouseOnCable();
    CUpdaterApp first(Device(), Platform());
    ASSERT_TRUE(first.Start());
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_FALSE(first.Window()->isActiveWindow());
    emulator.ClearTrace();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", lockDirectory.path());
    // An argument it does not know changes nothing.
    const Finished second = RunTool({"--frobnicate"}, environment);

    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.output.isEmpty()) << second.output.toStdString();
    EXPECT_TRUE(QTest::qWaitForWindowActive(first.Window()));
    EXPECT_TRUE(emulator.Trace().empty()) << "the first copy stays undisturbed";
}

}  // namespace
}  // namespace qx9
