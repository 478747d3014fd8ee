// The composition root of qx9-config: the real device backends and the Linux
// desktop services, wired into the application.

#include <QApplication>
#include <cstdio>

#include "ApplicationIdentity.h"
#include "CUpdaterApp.h"
#include "CommandLine.h"
#include "HidapiStatusBackend.h"
#include "HidrawBackend.h"
#include "LinuxPlatform.h"
#include "LockFile.h"
#include "TerminationRequests.h"

int main(int argc, char** argv) {
    // Answered before anything touches the display, so it works anywhere.
    if (const auto answer = qx9::CommandLineAnswer(argc, argv)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    // Docks and task bars group the window with its launcher by this name.
    QGuiApplication::setDesktopFileName(QString::fromUtf8(qx9::identity::AppId));
    QApplication application(argc, argv);

    qx9::SteadyClock clock;
    qx9::HidrawBackend features;
    qx9::HidapiStatusBackend statusReports;
    // Shared with qx9ctl, so the two never talk over each other on the wire.
    qx9::LockFile deviceLock(qx9::DeviceLockPath());
    qx9::DeviceLink link(features, clock, &deviceLock);
    qx9::ConfigStore store;
    qx9::CommandSet commands(link, store);
    qx9::StatusRecordRelay records;
    qx9::StatusListener listener(statusReports, link, clock, records.Poster());

    qx9::SingleInstance instance;
    qx9::LinuxPlatform platform;
    qx9::MessageBoxNotifier notifier;

    qx9::CUpdaterApp app({link, store, commands, listener, records},
                         {instance, platform.updaterProbe, *platform.hotKey, platform.hotPlug,
                          platform.rawInput, notifier});
    qx9::TerminationRequests termination;
    QObject::connect(&termination, &qx9::TerminationRequests::Requested, [&app] { app.Quit(); });
    return app.Run();
}
