#include "SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "UiTexts.h"

namespace qx9 {
namespace {

constexpr char ShowRequest[] = "show\n";
constexpr int AnswerWaitMs = 2000;

}  // namespace

SingleInstance::SingleInstance(const QString& directory) {
    const QString where = directory.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                              : directory;
    const QString base = QDir(where).filePath(QString::fromUtf8(text::SingleInstanceName));
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    // Staleness only by a dead owner, never by age: a long session keeps its lock.
    lock_->setStaleLockTime(0);
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
    Release();
}

bool SingleInstance::TryAcquire() {
    if (!lock_->tryLock(0)) {
        return false;
    }
    Listen();
    return true;
}

void SingleInstance::Release() {
    if (server_) {
        server_->close();
        delete server_;
        server_ = nullptr;
    }
    if (lock_->isLocked()) {
        lock_->unlock();
    }
}

void SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    // A socket left by a copy that crashed is ours to replace: we hold the lock.
    QLocalServer::removeServer(socketPath_);
    // Without the socket the tool still runs; later copies then just end.
    server_->listen(socketPath_);
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] { ReadRequests(*peer); });
        ReadRequests(*peer);
    }
}

void SingleInstance::ReadRequests(QLocalSocket& peer) {
    while (peer.canReadLine()) {
        if (peer.readLine() == ShowRequest) {
            emit ShowRequested();
        }
    }
}

bool SingleInstance::AskRunningCopyToShow() {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(AnswerWaitMs)) {
        return false;
    }
    socket.write(ShowRequest);
    const bool sent = socket.waitForBytesWritten(AnswerWaitMs);
    socket.disconnectFromServer();
    return sent;
}

}  // namespace qx9
