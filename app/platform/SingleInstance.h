#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace qx9 {

// One running copy per user session: a lock file in the user's runtime
// directory. The lock of a copy that crashed is taken over. The running copy
// listens on a local socket beside the lock, so that a later copy can ask it
// to come to the front before that later copy ends.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // `directory` empty: the user's runtime directory.
    explicit SingleInstance(const QString& directory = {});
    ~SingleInstance() override;

    // True for the first copy, which from then on hears later copies.
    bool TryAcquire();
    void Release();
    // For a copy that did not acquire: asks the running copy to show itself.
    // False when no running copy answered.
    bool AskRunningCopyToShow();

  signals:
    // A later copy asked the running one to show itself.
    void ShowRequested();

  private:
    void Listen();
    void OnConnection();
    void ReadRequests(QLocalSocket& peer);

    std::unique_ptr<QLockFile> lock_;
    QString socketPath_;
    QLocalServer* server_ = nullptr;
};

}  // namespace qx9
