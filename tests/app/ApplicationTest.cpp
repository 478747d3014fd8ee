#include <gtest/gtest.h>

#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <thread>
#include <utility>

#include "CUpdaterApp.h"
#include "CUpdaterDlg.h"
#include "TerminationRequests.h"
#include "support/CaseName.h"
#include "support/MainWindowFixture.h"

namespace qx9 {
namespace {

using ApplicationTest = test::MainWindowFixture;

TEST_F(ApplicationTest, ASecondCopyEndsAtOnceWithoutTouchingTheDevice) {
    PlugMouseOnCable();
    SingleInstance running(lockDirectory.path());
    ASSERT_TRUE(running.TryAcquire());
    QSignalSpy asked(&running, &SingleInstance::ShowRequested);

    CUpdaterApp second(Device(), Platform());
    EXPECT_EQ(second.Run(), 0);

    EXPECT_TRUE(emulator.Trace().empty());
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
    EXPECT_TRUE(asked.wait(5000)) << "the running copy is asked to come forward";
    EXPECT_EQ(asked.count(), 1);
}

TEST_F(ApplicationTest, WithNoCopyToAnswerASecondOneStillEnds) {
    // The lock is held, but its owner does not listen: a copy still starting up.
    QLockFile held(lockDirectory.filePath("TVN QX9 4k v2 Configuration Tool.lock"));
    ASSERT_TRUE(held.tryLock(0));

    EXPECT_FALSE(instance.TryAcquire());
    EXPECT_FALSE(instance.AskRunningCopyToShow());
}

TEST_F(ApplicationTest, TheSocketOfACrashedCopyIsReplaced) {
    // What a copy that died leaves beside its lock.
    QFile leftOver(lockDirectory.filePath("TVN QX9 4k v2 Configuration Tool.socket"));
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.close();
    ASSERT_TRUE(instance.TryAcquire());
    QSignalSpy asked(&instance, &SingleInstance::ShowRequested);

    SingleInstance later(lockDirectory.path());
    ASSERT_FALSE(later.TryAcquire());
    EXPECT_TRUE(later.AskRunningCopyToShow());
    EXPECT_TRUE(asked.wait(5000));
}

struct SignalCase {
    const char* name;
    int signal;
};

class TerminationSignalTest : public ::testing::TestWithParam<SignalCase> {};

TEST_P(TerminationSignalTest, ArrivesInTheEventLoopAsARequest) {
    TerminationRequests termination;
    QSignalSpy requests(&termination, &TerminationRequests::Requested);

    ASSERT_EQ(::raise(GetParam().signal), 0);

    EXPECT_TRUE(requests.wait(5000));
    EXPECT_EQ(requests.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminationSignalTest,
                         ::testing::Values(SignalCase{"Terminate", SIGTERM},
                                           SignalCase{"Interrupt", SIGINT},
                                           SignalCase{"HangUp", SIGHUP}),
                         test::CaseName{});

TEST_F(ApplicationTest, QuitEndsTheRunAndReleasesTheInstance) {
    PlugMouseOnCable();
    CUpdaterApp app(Device(), Platform());
    QTimer::singleShot(0, [&app] { app.Quit(); });

    EXPECT_EQ(app.Run(), 0);

    EXPECT_EQ(app.Window(), nullptr);
    SingleInstance next(lockDirectory.path());
    EXPECT_TRUE(next.TryAcquire());
}

TEST_F(ApplicationTest, ClosingReleasesTheInstanceForTheNextStart) {
    SingleInstance first(lockDirectory.path());
    ASSERT_TRUE(first.TryAcquire());
    first.Release();
    SingleInstance next(lockDirectory.path());
    EXPECT_TRUE(next.TryAcquire());
}

TEST_F(ApplicationTest, TheLockOfACrashedCopyIsTakenOver) {
    // A lock file as a copy leaves it when it dies: its owner's process is gone.
    QFile stale(lockDirectory.filePath("TVN QX9 4k v2 Configuration Tool.lock"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147483646\nqx9-config\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance next(lockDirectory.path());
    EXPECT_TRUE(next.TryAcquire());
}

TEST_F(ApplicationTest, StatusRecordsArriveOnTheWindowThreadInOrder) {
    std::vector<std::uint8_t> values;
    bool onWindowThread = true;
    QObject::connect(&records, &StatusRecordRelay::RecordArrived, [&](const StatusRecord& r) {
        values.push_back(r.Value());
        onWindowThread = onWindowThread && QThread::currentThread() == qApp->thread();
    });
    std::thread listenerThread([poster = records.Poster()] {
        for (std::uint8_t value = 1; value <= 50; ++value) {
            poster(StatusRecord{{record::Battery, value}});
        }
    });
    listenerThread.join();
    QCoreApplication::processEvents();

    ASSERT_EQ(values.size(), 50u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i], i + 1);
    }
    EXPECT_TRUE(onWindowThread);
}

// Counts the paint events of the tool's window and its controls.
class PaintCounter final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget &&
            qobject_cast<CUpdaterDlg*>(widget->window())) {
            ++paints;
        }
        return false;
    }
    int paints = 0;
};

// A wireless start-up spends seconds in device waits: the window is on screen
// before them, under the wait cursor, and nothing is lost to the early paint.
TEST_F(ApplicationTest, TheWindowIsPaintedBeforeTheStartUpTalksToTheDevice) {
    PlugDongle();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    CUpdaterApp app(Device(), Platform());
    struct {
        bool seen = false;
        bool visible = false;
        int paints = 0;
        bool waitCursor = false;
    } first;
    emulator.SetTraceObserver([&](const emu::TraceEntry&) {
        if (std::exchange(first.seen, true)) {
            return;
        }
        first.visible = app.Window() && app.Window()->isVisible();
        first.paints = counter.paints;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        first.waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
    });

    ASSERT_TRUE(app.Start());
    emulator.SetTraceObserver({});
    qApp->removeEventFilter(&counter);

    ASSERT_TRUE(first.seen);
    EXPECT_TRUE(first.visible);
    EXPECT_GT(first.paints, 0);
    EXPECT_TRUE(first.waitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is back once loaded";
    EXPECT_EQ(app.Window()->findChild<QLabel*>("connectionText")->text(), "Wireless");
}

// Screen readers and tests find every control by its role.
TEST_F(ApplicationTest, EveryControlOfTheWindowNamesItsRole) {
    ASSERT_TRUE(Start());
    int controls = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->property("templateId").isValid()) {
            continue;
        }
        ++controls;
        EXPECT_FALSE(widget->accessibleDescription().isEmpty())
            << widget->objectName().toStdString();
    }
    EXPECT_GT(controls, 0);
    EXPECT_EQ(window->property("templateId").toInt(), 102);
    EXPECT_EQ(Find("spareButton")->accessibleName(), "spare button");
    EXPECT_EQ(Tabs()->accessibleName(), "page tabs");
}

}  // namespace
}  // namespace qx9
