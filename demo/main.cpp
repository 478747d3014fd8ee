// The composition root of qx9-config-demo: the tool on the built-in emulated
// mouse and dongle, for trying it without the hardware.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

#include "DemoComposition.h"

int main(int argc, char** argv) {
    // Answered before anything touches the display.
    const qx9::DemoArguments arguments = qx9::ReadDemoArguments(argc, argv);
    if (arguments.print) {
        std::fputs(arguments.print->c_str(), arguments.exitStatus == 0 ? stdout : stderr);
        return arguments.exitStatus;
    }
    QApplication application(argc, argv);

    qx9::DemoComposition::Options options;
    options.start = arguments.start;
    options.tracePath = qEnvironmentVariable("QX9_EMULATOR_TRACE");
    // One demo at a time, apart from the real tool's own lock.
    options.lockDirectory =
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/qx9-config-demo";
    QDir().mkpath(options.lockDirectory);

    qx9::SteadyClock clock;
    qx9::MessageBoxNotifier notifier;
    qx9::DemoComposition demo(clock, notifier, options);
    return demo.Run();
}
