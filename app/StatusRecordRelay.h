#pragma once

#include <QObject>

#include "StatusListener.h"
#include "StatusRecord.h"

namespace qx9 {

// Carries records from the listener thread to the user-interface thread,
// queued and in order. Outlives the listener that posts to it.
class StatusRecordRelay : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // The handler the listener calls on its own thread.
    StatusListener::Handler Poster() {
        return [this](const StatusRecord& record) {
            QMetaObject::invokeMethod(
                this, [this, record] { emit RecordArrived(record); }, Qt::QueuedConnection);
        };
    }

  signals:
    void RecordArrived(const qx9::StatusRecord& record);
};

}  // namespace qx9
