#include "StatusRecordRelay.h"

namespace qx9 {

void StatusRecordRelay::Post(const StatusRecord& record) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(record);
    }
    QMetaObject::invokeMethod(this, "DeliverPending", Qt::QueuedConnection);
}

void StatusRecordRelay::DeliverPending() {
    for (;;) {
        StatusRecord record;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty()) {
                return;
            }
            record = pending_.front();
            pending_.pop_front();
        }
        emit RecordArrived(record);
    }
}

}  // namespace qx9
