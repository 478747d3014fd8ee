#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include "UiTexts.h"

namespace qx9 {

SingleInstance::SingleInstance(const QString& directory) {
    const QString where = directory.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)
                              : directory;
    lock_ = std::make_unique<QLockFile>(QDir(where).filePath(
        QString::fromUtf8(text::SingleInstanceName) + QStringLiteral(".lock")));
    // Staleness only by a dead owner, never by age: a long session keeps its lock.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::TryAcquire() {
    return lock_->tryLock(0);
}

void SingleInstance::Release() {
    lock_->unlock();
}

}  // namespace qx9
