// Plays the cable and the dongle coming and going on the demo composition,
// round after round, with status records flowing and an APPLY in each round,
// and reports two figures:
//  - the resident memory at the start, after a warm-up, in the middle and at
//    the end (target: flat from the warm-up on, within 1 MiB);
//  - the time from a status record reaching the listener to the window
//    showing it: from the record being queued on the emulated dongle's status
//    collection to the paint of the battery text that shows it (target: a
//    median under 15 ms).
// The device's waits run on a virtual clock, so a round takes milliseconds of
// device time instead of seconds; everything else runs as in the demo.
//
// The first rounds fill the panel's live wire trace, which keeps its last
// 2000 lines; --without-trace-view leaves it out, to see the tool alone.
//
//   qx9-bench-hotplug-soak [rounds] [--without-trace-view]    (1000 rounds unless given)

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CUpdaterDlg.h"
#include "DemoComposition.h"

namespace qx9 {
namespace {

using WallClock = std::chrono::steady_clock;
using FractionalMs = std::chrono::duration<double, std::milli>;

constexpr int WarmUpRounds = 50;
constexpr int RecordsPerRound = 5;
constexpr double MemoryTargetMiB = 1.0;
constexpr double LatencyTargetMs = 15.0;
constexpr int StepTimeoutMs = 10000;

class SilentNotifier final : public Notifier {
  public:
    void Inform(const QString& text) override { shown.push_back(text.toStdString()); }
    std::vector<std::string> shown;
};

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// Notes when the battery text is painted showing the value waited for.
class PaintWatch final : public QObject {
  public:
    explicit PaintWatch(QLabel& label) : label_(label) { label_.installEventFilter(this); }

    void Expect(const QString& text) {
        expected_ = text;
        shownAt_.reset();
    }
    std::optional<WallClock::time_point> ShownAt() const { return shownAt_; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &label_ && event->type() == QEvent::Paint && !shownAt_ &&
            label_.text() == expected_) {
            shownAt_ = WallClock::now();
        }
        return false;
    }

  private:
    QLabel& label_;
    QString expected_;
    std::optional<WallClock::time_point> shownAt_;
};

class Soak {
  public:
    explicit Soak(DemoComposition& demo) : demo_(demo), emulator_(demo.Emulator()) {}

    bool Start() {
        if (!demo_.Start()) {
            return false;
        }
        window_ = demo_.App().Window();
        battery_ = window_->findChild<QLabel*>("batteryText");
        connection_ = window_->findChild<QLabel*>("connectionText");
        if (!battery_ || !connection_) {
            return false;
        }
        watch_ = std::make_unique<PaintWatch>(*battery_);
        return WaitFor("Wired");
    }

    // Through the dongle and back, then on the cable and back; false at the
    // first step the window does not follow.
    bool Round(int round) {
        return Click("Cable plugged") && WaitFor("Wireless") && MeasureRecords(round) && Apply() &&
               Click("Drop the wireless link") && WaitFor("N/A") && Click("Move the mouse") &&
               WaitFor("Wireless") && Click("Dongle plugged") && WaitFor("N/A") &&
               Click("Dongle plugged") && WaitFor("Wireless") && Click("Cable plugged") &&
               WaitFor("Wired") && Click("Dongle plugged") && WaitFor("Wired") &&
               Click("Cable plugged") && WaitFor("N/A") && Click("Cable plugged") &&
               WaitFor("Wired") && Click("Dongle plugged") && WaitFor("Wired") && Apply() &&
               ClearTrace();
    }

    const std::vector<double>& Latencies() const { return latencies_; }
    const std::string& Failure() const { return failure_; }

  private:
    bool Fail(std::string why) {
        failure_ = std::move(why);
        return false;
    }
    bool Click(const char* control) {
        auto* button = demo_.Panel().findChild<QAbstractButton*>(QString::fromUtf8(control));
        if (!button) {
            return Fail(std::string("no panel control ") + control);
        }
        button->click();
        return true;
    }
    template <typename Condition>
    bool Until(Condition condition) {
        QElapsedTimer waited;
        waited.start();
        while (!condition()) {
            if (waited.elapsed() > StepTimeoutMs) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents,
                                            10);
        }
        return true;
    }
    bool WaitFor(const char* connection) {
        const QString wanted = QString::fromUtf8(connection);
        if (!Until([&] { return connection_->text() == wanted; })) {
            return Fail("the window stayed at \"" + connection_->text().toStdString() +
                        "\" instead of \"" + connection + "\"");
        }
        return true;
    }
    // Battery records with a level the window does not show yet, one at a time.
    bool MeasureRecords(int round) {
        for (int record = 0; record < RecordsPerRound; ++record) {
            const int level = (round * RecordsPerRound + record) % 100;
            watch_->Expect(QString::number(level) + "%");
            emulator_.SetBattery(static_cast<std::uint8_t>(level));
            const WallClock::time_point sent = WallClock::now();
            emulator_.ReportBattery();
            if (!Until([&] { return watch_->ShownAt().has_value(); })) {
                return Fail("the battery record of " + std::to_string(level) + "% never showed");
            }
            latencies_.push_back(FractionalMs(*watch_->ShownAt() - sent).count());
        }
        return true;
    }
    // An edit APPLYed and taken by the mouse.
    bool Apply() {
        auto* ripple = window_->findChild<QAbstractButton*>("rippleControlBox");
        auto* apply = window_->findChild<QAbstractButton*>("applyButton");
        if (!ripple || !apply) {
            return Fail("no ripple control or APPLY");
        }
        ripple->click();
        apply->click();
        if (apply->isEnabled() || emulator_.ConfigBlock()[0x0B] != (ripple->isChecked() ? 1 : 0)) {
            return Fail("APPLY was not confirmed");
        }
        return true;
    }
    // The emulator's own record of every exchange is the tests' instrument,
    // not part of what is measured.
    bool ClearTrace() {
        emulator_.ClearTrace();
        return true;
    }

    DemoComposition& demo_;
    emu::Qx9Emulator& emulator_;
    CUpdaterDlg* window_ = nullptr;
    QLabel* battery_ = nullptr;
    QLabel* connection_ = nullptr;
    std::unique_ptr<PaintWatch> watch_;
    std::vector<double> latencies_;
    std::string failure_;
};

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

double MiB(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

}  // namespace
}  // namespace qx9

int main(int argc, char** argv) {
    using namespace qx9;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int rounds = 1000;
    bool traceView = true;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--without-trace-view") {
            traceView = false;
        } else if (std::atoi(argument.c_str()) >= 2) {
            rounds = std::atoi(argument.c_str());
        } else {
            std::fprintf(stderr, "usage: %s [rounds] [--without-trace-view]\n", argv[0]);
            return 2;
        }
    }
    // Each line as it comes, also when the output goes to a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication application(argc, argv);
    QTemporaryDir lockDirectory;
    VirtualClock clock;
    SilentNotifier notifier;
    DemoComposition::Options options;
    options.lockDirectory = lockDirectory.path();
    DemoComposition demo(clock, notifier, options);
    if (!traceView) {
        demo.Emulator().SetTraceObserver({});
    }
    Soak soak(demo);
    if (!soak.Start()) {
        std::fprintf(stderr, "the demo did not start on the cable\n");
        return 2;
    }

    struct Sample {
        const char* when;
        int round;
        long kib;
    };
    std::vector<Sample> samples{{"start", 0, ResidentKiB()}};
    const int warmUp = std::min(WarmUpRounds, rounds / 2);
    const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    for (int round = 1; round <= rounds; ++round) {
        if (!soak.Round(round)) {
            std::fprintf(stderr, "round %d: %s\n", round, soak.Failure().c_str());
            return 2;
        }
        if (round == warmUp) {
            samples.push_back({"after warm-up", round, ResidentKiB()});
        } else if (round == rounds / 2) {
            samples.push_back({"middle", round, ResidentKiB()});
        } else if (round == rounds) {
            samples.push_back({"end", round, ResidentKiB()});
        }
    }
    const auto violations = demo.Emulator().Violations();
    if (!violations.empty() || !notifier.shown.empty()) {
        std::fprintf(
            stderr, "device contract violated or a message shown: %s\n",
            violations.empty() ? notifier.shown.front().c_str() : violations.front().c_str());
        return 2;
    }

    std::printf("%d rounds of plug and unplug in %.1f s, %zu status records timed%s\n\n", rounds,
                static_cast<double>(started.elapsed()) / 1000.0, soak.Latencies().size(),
                traceView ? "" : ", without the panel's trace view");
    std::printf("resident memory\n");
    for (const Sample& sample : samples) {
        std::printf("  %-14s round %4d  %8.2f MiB\n", sample.when, sample.round, MiB(sample.kib));
    }
    const long warm = samples[1].kib;
    const long end = samples.back().kib;
    const double growth = MiB(end - warm);
    const bool memoryMet = growth <= MemoryTargetMiB;
    std::printf("  growth from the start to the end: %+.2f MiB\n", MiB(end - samples[0].kib));
    std::printf("  growth from the warm-up to the end: %+.2f MiB; target %.0f MiB: %s\n\n", growth,
                MemoryTargetMiB, memoryMet ? "met" : "MISSED");

    const double median = Percentile(soak.Latencies(), 0.5);
    const bool latencyMet = median < LatencyTargetMs;
    std::printf("status record to the window showing it\n");
    std::printf("  median %.2f ms, 95th percentile %.2f ms, worst %.2f ms\n", median,
                Percentile(soak.Latencies(), 0.95), Percentile(soak.Latencies(), 1.0));
    std::printf("  median target under %.0f ms: %s\n", LatencyTargetMs,
                latencyMet ? "met" : "MISSED");
    return memoryMet && latencyMet ? 0 : 1;
}
