#include "CUpdaterApp.h"

#include <QEventLoop>

#include "CUpdaterDlg.h"
#include "PaintNow.h"
#include "WindowActivation.h"

namespace qx9 {

CUpdaterApp::CUpdaterApp(DeviceContext device, PlatformContext platform)
    : device_(device), platform_(platform) {}

CUpdaterApp::~CUpdaterApp() {
    Stop();
}

bool CUpdaterApp::Start() {
    // A second copy ends at once, shows nothing and leaves the device alone;
    // it only asks the running copy to come to the front.
    acquired_ = platform_.instance.TryAcquire();
    if (!acquired_) {
        platform_.instance.AskRunningCopyToShow();
        return false;
    }
    window_ = std::make_unique<CUpdaterDlg>(device_, platform_);
    if (!window_->PrepareWindow()) {
        return false;
    }
    QObject::connect(&platform_.instance, &SingleInstance::ShowRequested, window_.get(),
                     [window = window_.get()] { BringToFront(*window); });
    // On screen before the device waits of the start-up freeze it.
    PaintNow(*window_);
    window_->ConnectAtStartUp();
    return true;
}

int CUpdaterApp::Run() {
    if (Start() && !quitRequested_) {
        // Not modal: the demo's panel stays usable beside the window.
        QEventLoop untilClosed;
        QObject::connect(window_.get(), &QDialog::finished, &untilClosed, &QEventLoop::quit);
        untilClosed.exec();
    }
    Stop();
    return 0;
}

void CUpdaterApp::Quit() {
    quitRequested_ = true;
    if (window_) {
        window_->done(QDialog::Rejected);
    }
}

void CUpdaterApp::Stop() {
    window_.reset();
    if (acquired_) {
        platform_.instance.Release();
        acquired_ = false;
    }
}

}  // namespace qx9
