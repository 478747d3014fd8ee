// The composition root of qx9-config: the real device backends and the Linux
// desktop services, wired into the application.

#include <QApplication>

#include "CUpdaterApp.h"
#include "HidapiStatusBackend.h"
#include "HidrawBackend.h"
#include "LinuxPlatform.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);

    qx9::SteadyClock clock;
    qx9::HidrawBackend features;
    qx9::HidapiStatusBackend statusReports;
    qx9::DeviceLink link(features, clock);
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
    return app.Run();
}
