#pragma once

#include <QObject>
#include <deque>
#include <mutex>

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
        return [this](const StatusRecord& record) { Post(record); };
    }

  signals:
    void RecordArrived(const qx9::StatusRecord& record);

  private:
    void Post(const StatusRecord& record);
    Q_INVOKABLE void DeliverPending();

    // The records cross under this lock; Qt's event queue carries only the
    // wake-up. A thread checker sees our lock, not Qt's own.
    std::mutex mutex_;
    std::deque<StatusRecord> pending_;
};

}  // namespace qx9
